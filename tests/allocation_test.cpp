// The dialog allocates nothing on the heap while it runs, however long and
// however odd its input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "dialog/dialog.hpp"
#include "tests/memory_streams.hpp"

namespace {
bool counting = false;
std::size_t allocations = 0;
}  // namespace

// Kept out of line, like the operator delete below: inlined into the library's
// code, g++ would take the free() of memory from operator new, or the operator
// delete of memory from malloc(), for a mismatch (-Wmismatched-new-delete).
[[gnu::noinline]] void* operator new(std::size_t size) {
    if (counting) {
        ++allocations;
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* memory) noexcept { std::free(memory); }

[[gnu::noinline]] void operator delete(void* memory, std::size_t /*size*/) noexcept { std::free(memory); }

namespace euro_umrechner {
namespace {

// Many cycles with every kind of answer: good ones, failed ones, long tokens,
// leftovers and junk.
std::string longAnswers() {
    std::string input;
    for (int i = 0; i < 2000; ++i) {
        input += "1\n" + std::to_string(i % 25) + "\n" + std::to_string(i * 37) + ".25e-1\n";
        input += "1 abc\n3.5 1\n7\nzwei\n2.5\n1\n12\n1" + std::string(5000, '0') + "\n";
        input += "1\n" + std::string(3000, '\x80') + "\n17\n0." + std::string(200, '0') + "1\n";
    }
    return input + "2\n";
}

TEST(allocation_test, dialog_allocates_nothing_while_it_runs) {
    const std::string input = longAnswers();
    MemorySource source{input, 4096};
    const std::unique_ptr<InputReader> reader(new InputReader);
    const std::unique_ptr<OutputBuffer> output(new OutputBuffer);

    counting = true;
    (void)runDialogBetween(memoryInput(source), recordingOutput(nullptr), *reader, *output);
    counting = false;

    EXPECT_EQ(source.position, input.size());
    EXPECT_EQ(allocations, 0U);
}

// Guards against a hook that never counts. The probe calls operator new
// through a volatile pointer, as an optimiser may drop the allocation of a
// string or a new-expression whose memory it can do without (clang does).
TEST(allocation_test, counter_sees_an_allocation) {
    void* (*volatile allocate)(std::size_t) = &::operator new;
    counting = true;
    void* probe = allocate(100);
    counting = false;
    ::operator delete(probe);
    EXPECT_GT(allocations, 0U);
    allocations = 0;
}

}  // namespace
}  // namespace euro_umrechner
