// The bit layouts of the binary floating-point formats the program works in:
// every fact about where a float's or a double's sign, exponent and
// significand bits lie is named here once.
#pragma once

#include <cstdint>
#include <limits>

namespace euro_umrechner {

static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559,
              "the program relies on IEEE 754 binary32 and binary64");

// binary32: a sign bit, 8 exponent bits biased by 127, 23 fraction bits.
struct FloatLayout {
    static constexpr int fractionBits = 23;
    static constexpr int significandBits = fractionBits + 1;  // with the hidden bit
    static constexpr std::uint32_t signBit = 0x8000'0000U;
    static constexpr std::uint32_t hiddenBit = std::uint32_t{1} << fractionBits;
    static constexpr std::uint32_t fractionMask = hiddenBit - 1;
    static constexpr std::uint32_t quietBit = hiddenBit >> 1;     // the top fraction bit of a NaN
    static constexpr std::uint32_t infinityBits = 0x7f80'0000U;   // also the exponent field's mask
    static constexpr std::uint32_t largestBiasedExponent = 0xff;  // infinities and NaNs
    static constexpr std::int32_t exponentBias = 127;
    static constexpr std::int32_t largestExponent = 127;    // of a normal float's leading bit
    static constexpr std::int32_t smallestExponent = -126;  // of a normal float's leading bit
    static constexpr std::int32_t smallestQuantum =
        smallestExponent - fractionBits;  // a subnormal's last bit
};

// binary64: a sign bit, 11 exponent bits biased by 1023, 52 fraction bits.
struct DoubleLayout {
    static constexpr int fractionBits = 52;
    static constexpr std::uint64_t hiddenBit = std::uint64_t{1} << fractionBits;
    static constexpr std::uint64_t fractionMask = hiddenBit - 1;
    static constexpr std::int32_t exponentBias = 1023;
};

// The extended format of the conversion factors and products: a 64-bit
// significand whose top bit is set, as an x87 extended-precision number has.
struct ExtendedLayout {
    static constexpr int significandBits = 64;
    static constexpr std::uint64_t leadingBit = std::uint64_t{1} << (significandBits - 1);
};

// How far a double's significand moves up to fill an extended one.
inline constexpr int doubleToExtendedShift = ExtendedLayout::significandBits - 1 - DoubleLayout::fractionBits;

// The bits below a float's significand when its top bit is the top of a
// 64-bit word, as in an extended significand: rounding to float drops them.
inline constexpr int extendedToFloatDrop = ExtendedLayout::significandBits - FloatLayout::significandBits;

}  // namespace euro_umrechner
