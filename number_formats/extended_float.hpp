// The extended format of the conversion factors: a 64-bit significand, as an
// x87 extended-precision number has, computed and multiplied with integers
// only, so that every platform gets the same bits.
#pragma once

#include <cstdint>

#include "number_formats/float_layout.hpp"
#include "number_formats/float_rounding.hpp"

namespace euro_umrechner {

// A positive number significand * 2^exponent, the significand's top bit set.
struct ExtendedFloat {
    std::uint64_t significand;
    std::int32_t exponent;
};

// A positive normal double, exactly: its 53-bit significand moved to the top.
constexpr ExtendedFloat extendedOf(double value) {
    const DecodedFloat<std::uint64_t> decoded = decode(value);
    return {decoded.significand << doubleToExtendedShift, decoded.exponent - doubleToExtendedShift};
}

// 1 / `value` for a positive normal double, rounded to a 64-bit significand,
// ties to even. Long division of a power of two by the 53-bit significand:
// every remainder stays below 2^54, so each step is exact.
constexpr ExtendedFloat reciprocalOf(double value) {
    constexpr int shift = doubleToExtendedShift;
    const ExtendedFloat divisor = extendedOf(value);
    const std::uint64_t significand = divisor.significand >> shift;
    std::uint64_t remainder = DoubleLayout::hiddenBit;
    std::int32_t exponent =
        -DoubleLayout::fractionBits - (ExtendedLayout::significandBits - 1) - (divisor.exponent + shift);
    if (remainder < significand) {  // so that the first quotient bit is 1
        remainder <<= 1;
        --exponent;
    }
    std::uint64_t quotient = 0;
    for (int bit = 0; bit < ExtendedLayout::significandBits; ++bit) {
        quotient <<= 1;
        if (remainder >= significand) {
            remainder -= significand;
            quotient |= 1U;
        }
        remainder <<= 1;
    }
    // The doubled remainder is to the divisor as the dropped fraction is to one half.
    const std::uint64_t rounded = quotient + roundingIncrement(quotient, remainder, significand, false);
    // All ones rounded up wrap to 0: the value is 2^64.
    return rounded == 0 ? ExtendedFloat{ExtendedLayout::leadingBit, exponent + 1}
                        : ExtendedFloat{rounded, exponent};
}

// The exact product of a float's significand (below 2^24) and an extended
// one, up to 88 bits, split at bit 24: `high` * 2^24 + `low`.
struct Product {
    static constexpr int split = 24;
    static constexpr std::uint64_t lowMask = (std::uint64_t{1} << split) - 1;
    std::uint64_t high;
    std::uint64_t low;
};

inline Product multiplyExactly(std::uint32_t significand, std::uint64_t factor) {
    // Split the factor at bit 24 too: both partial products, and their sum, stay below 2^64.
    const std::uint64_t bottom = significand * (factor & Product::lowMask);
    return {significand * (factor >> Product::split) + (bottom >> Product::split), bottom & Product::lowMask};
}

// `significand` (its top bit at bit 23) times `factor`, rounded to a 64-bit
// significand, ties to even: the bits of an x87 extended multiplication.
ExtendedFloat multiplyRounded(std::uint32_t significand, ExtendedFloat factor);

}  // namespace euro_umrechner
