#include "conversion/conversion.hpp"

#include <bit>

#include "number_formats/extended_float.hpp"
#include "number_formats/float_layout.hpp"
#include "number_formats/float_rounding.hpp"

namespace euro_umrechner {

float convertAnyAmount(const ConversionEntry& entry, float amount) {
    const auto bits = std::bit_cast<std::uint32_t>(amount);
    const std::uint32_t magnitude = bits & ~FloatLayout::signBit;
    if (magnitude == 0 || magnitude >= FloatLayout::infinityBits) {
        // A zero or an infinity times a positive factor is itself; a NaN comes
        // back quieted, with its sign and payload, as the x87 returns it.
        return std::bit_cast<float>(magnitude > FloatLayout::infinityBits ? bits | FloatLayout::quietBit
                                                                          : bits);
    }
    DecodedFloat<std::uint32_t> decoded = decode(amount);
    // A subnormal has no hidden bit: shift it up to where that bit would be.
    if (decoded.significand < FloatLayout::hiddenBit) {
        const int shift = std::countl_zero(decoded.significand) - (32 - FloatLayout::significandBits);
        decoded.significand <<= shift;
        decoded.exponent -= shift;
    }
    const ExtendedFloat product = multiplyRounded(decoded.significand, entry.factor);
    // Rounding the already rounded 64-bit product again is the x87's double rounding.
    return roundToFloat(decoded.negative, product.significand, product.exponent + decoded.exponent, false);
}

const ConversionEntry* findConversion(std::int32_t conversionChoice) {
    if (conversionChoice < 1 || conversionChoice > static_cast<std::int32_t>(conversionTable.size())) {
        return nullptr;
    }
    return &conversionTable[static_cast<std::size_t>(conversionChoice - 1)];
}

// The common case, a normal amount and a normal result, takes a short cut:
// the product's bits from 24 up, rounded to float, give the x87's result
// unless their bits below the float's lie at or just under the midpoint,
// where the bits beyond and the double rounding decide.
float convertAmount(const ConversionEntry& entry, float amount) {
    const DecodedFloat<std::uint32_t> decoded = decode(amount);
    const std::uint64_t high = multiplyExactly(decoded.significand, entry.factor.significand).high;
    // For a normal amount high lies in [2^62, 2^64): below the float's bits lie
    // one fewer than extendedToFloatDrop, or that many when the top bit is set.
    const std::uint64_t droppedBits =
        extendedToFloatDrop - 1 + (high >> (ExtendedLayout::significandBits - 1));
    const std::uint64_t half = std::uint64_t{1} << (droppedBits - 1);
    const std::uint64_t dropped = high & ((half << 1) - 1);
    // high * 2^highExponent is the product.
    const std::int64_t highExponent = std::int64_t{decoded.exponent} + entry.factor.exponent + Product::split;
    const std::int64_t leadingExponent =
        highExponent + static_cast<std::int64_t>(droppedBits) + FloatLayout::fractionBits;
    // The first two tests catch zeros, subnormals, infinities and NaNs; the
    // third, by unsigned wrap-around, the dropped bits half - 1 and half.
    if (decoded.significand < FloatLayout::hiddenBit || decoded.exponent > FloatLayout::largestExponent ||
        dropped - (half - 1) <= 1 || leadingExponent < FloatLayout::smallestNormalLeadingExponent ||
        leadingExponent > FloatLayout::largestLeadingExponent) {
        return convertAnyAmount(entry, amount);
    }
    // Far from a tie, rounding these bits once gives what rounding twice would.
    return roundToFloat(decoded.negative, high, static_cast<std::int32_t>(highExponent), false);
}

}  // namespace euro_umrechner
