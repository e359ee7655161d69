// The bit layouts of the binary floating-point formats the program works in:
// every fact about where a float's or a double's sign, exponent and
// significand bits lie is named here once.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>

namespace euro_umrechner {

static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559,
              "the program relies on IEEE 754 binary32 and binary64");

// A number's exponent is that of its significand's last bit: the number is
// significand * 2^exponent. The exponent of the top bit is its leading exponent.

// binary32: a sign bit, 8 exponent bits biased by 127, 23 fraction bits.
struct FloatLayout {
    using Bits = std::uint32_t;
    static constexpr int fractionBits = 23;
    static constexpr int significandBits = fractionBits + 1;  // with the hidden bit
    static constexpr std::uint32_t signBit = 0x8000'0000U;
    static constexpr std::uint32_t hiddenBit = std::uint32_t{1} << fractionBits;
    static constexpr std::uint32_t fractionMask = hiddenBit - 1;
    static constexpr std::uint32_t quietBit = hiddenBit >> 1;    // the top fraction bit of a NaN
    static constexpr std::uint32_t infinityBits = 0x7f80'0000U;  // also the exponent field's mask
    static constexpr std::int32_t exponentBias = 127;
    static constexpr std::int32_t largestLeadingExponent = 127;
    static constexpr std::int32_t smallestNormalLeadingExponent = -126;
    static constexpr std::int32_t largestExponent = largestLeadingExponent - fractionBits;
    // A subnormal's, the smallest of all
    static constexpr std::int32_t smallestExponent = smallestNormalLeadingExponent - fractionBits;
};

// binary64: a sign bit, 11 exponent bits biased by 1023, 52 fraction bits.
struct DoubleLayout {
    using Bits = std::uint64_t;
    static constexpr int fractionBits = 52;
    static constexpr std::uint64_t signBit = std::uint64_t{1} << 63;
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

// A float's or a double's sign, significand and exponent. A subnormal's
// significand lacks the hidden bit and has the exponent of the smallest
// normal's; an infinity's or a NaN's exponent is one above the largest.
template <typename Bits>
struct DecodedFloat {
    bool negative;
    Bits significand;
    std::int32_t exponent;
};

template <typename Layout>
constexpr DecodedFloat<typename Layout::Bits> decodeBits(typename Layout::Bits bits) {
    const auto biasedExponent = static_cast<std::int32_t>((bits & ~Layout::signBit) >> Layout::fractionBits);
    const typename Layout::Bits fraction = bits & Layout::fractionMask;
    const bool subnormal = biasedExponent == 0;
    return {(bits & Layout::signBit) != 0, subnormal ? fraction : fraction | Layout::hiddenBit,
            (subnormal ? 1 : biasedExponent) - Layout::exponentBias - Layout::fractionBits};
}

constexpr DecodedFloat<std::uint32_t> decode(float value) {
    return decodeBits<FloatLayout>(std::bit_cast<std::uint32_t>(value));
}

constexpr DecodedFloat<std::uint64_t> decode(double value) {
    return decodeBits<DoubleLayout>(std::bit_cast<std::uint64_t>(value));
}

}  // namespace euro_umrechner
