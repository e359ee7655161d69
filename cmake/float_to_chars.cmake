# The results are written by the C++ library's floating-point std::to_chars:
# say so at once where the library has none, rather than at the first use.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles([[
#include <charconv>
int main() {
    char text[32];
    return std::to_chars(text, text + sizeof text, 1.5, std::chars_format::general, 6).ec == std::errc{} ? 0 : 1;
}]] EURO_UMRECHNER_FLOAT_TO_CHARS)
if(NOT EURO_UMRECHNER_FLOAT_TO_CHARS)
  message(FATAL_ERROR "This C++ library has no floating-point std::to_chars, which the program writes "
                      "its results with: it needs GCC 11's libstdc++ or LLVM 14's libc++ or later, and "
                      "on macOS a deployment target of 13.3 or later (-DCMAKE_OSX_DEPLOYMENT_TARGET=13.3).")
endif()
