#include "number_formats/float_rounding.hpp"

#include <algorithm>
#include <bit>

#include "number_formats/float_layout.hpp"

namespace euro_umrechner {
namespace {

// `significand` >> `drop` (1 to 64), rounded to nearest, ties to even; `sticky`
// stands for a non-zero bit below all the dropped ones.
std::uint64_t shiftRightRounded(std::uint64_t significand, std::int64_t drop, bool sticky) {
    const std::uint64_t kept = (significand >> (drop - 1)) >> 1;
    const std::uint64_t rest = significand & (~std::uint64_t{0} >> (64 - drop));
    const std::uint64_t half = std::uint64_t{1} << (drop - 1);
    return kept + roundingIncrement(kept, rest, half, sticky);
}

// The bits of roundToFloat's magnitude for any value.
std::uint32_t magnitudeBits(std::uint64_t significand, std::int64_t exponent, std::int64_t leadingExponent,
                            bool sticky) {
    if (significand == 0) {
        return 0;
    }
    if (leadingExponent > FloatLayout::largestLeadingExponent) {
        return FloatLayout::infinityBits;
    }
    const std::int64_t resultExponent =
        std::max<std::int64_t>(leadingExponent - FloatLayout::fractionBits, FloatLayout::smallestExponent);
    const std::int64_t drop = resultExponent - exponent;
    std::uint64_t kept = 0;  // stays 0 when the value is below half the smallest subnormal
    if (drop <= 0) {
        kept = significand << -drop;  // exact: the significand has at most 24 bits here
    } else if (drop <= 64) {
        kept = shiftRightRounded(significand, drop, sticky);
    }
    // kept is below 2^24 + 1 and the biased field below 254: a carry out of the
    // significand moves into the exponent field by itself, up to infinity.
    const std::int64_t biasedField = resultExponent - FloatLayout::smallestExponent;
    return static_cast<std::uint32_t>((biasedField << FloatLayout::fractionBits) + kept);
}

}  // namespace

float roundToFloat(bool negative, std::uint64_t significand, std::int32_t exponent, bool sticky) {
    const std::uint32_t sign = negative ? FloatLayout::signBit : 0;
    // int64 holds every sum below, whatever the int32 exponent.
    const int shift = std::countl_zero(significand);
    const std::int64_t leadingExponent = exponent + std::int64_t{ExtendedLayout::significandBits - 1 - shift};
    if (significand == 0 || leadingExponent < FloatLayout::smallestNormalLeadingExponent ||
        leadingExponent > FloatLayout::largestLeadingExponent) {
        return std::bit_cast<float>(sign | magnitudeBits(significand, exponent, leadingExponent, sticky));
    }
    // A normal result, the common case: with the top bit at the top of the
    // word the float keeps the bits above extendedToFloatDrop.
    const std::uint64_t normalized = significand << shift;
    constexpr std::uint64_t half = std::uint64_t{1} << (extendedToFloatDrop - 1);
    const std::uint64_t kept = normalized >> extendedToFloatDrop;
    const std::uint64_t rounded =
        kept + roundingIncrement(kept, normalized & ((half << 1) - 1), half, sticky);
    // The hidden bit adds one to the biased exponent, and a carry out of the
    // significand one more, up to infinity.
    const std::int64_t biasedField = leadingExponent - FloatLayout::smallestNormalLeadingExponent;
    return std::bit_cast<float>(
        sign | static_cast<std::uint32_t>((biasedField << FloatLayout::fractionBits) + rounded));
}

}  // namespace euro_umrechner
