#include "conversion/conversion.hpp"

#include <bit>

#include "number_formats/extended_float.hpp"
#include "number_formats/float_layout.hpp"
#include "number_formats/float_rounding.hpp"

namespace euro_umrechner {

Amount convertAnyAmount(const ConversionEntry& entry, Amount amount) {
    const auto bits = std::bit_cast<std::uint32_t>(amount);
    const std::uint32_t magnitude = bits & ~FloatLayout::signBit;
    if (magnitude == 0 || magnitude >= FloatLayout::infinityBits) {
        // A zero or an infinity times a positive factor is itself; a NaN comes
        // back quieted, with its sign and payload, as the x87 returns it.
        return std::bit_cast<Amount>(magnitude > FloatLayout::infinityBits ? bits | FloatLayout::quietBit
                                                                           : bits);
    }
    const std::uint32_t biasedExponent = magnitude >> FloatLayout::fractionBits;
    std::uint32_t significand = (bits & FloatLayout::fractionMask) | FloatLayout::hiddenBit;
    std::int32_t quantum =
        static_cast<std::int32_t>(biasedExponent) - FloatLayout::exponentBias - FloatLayout::fractionBits;
    if (biasedExponent == 0) {  // a subnormal: no hidden bit, so shift it up to where that would be
        const int shift = std::countl_zero(magnitude) - (32 - FloatLayout::significandBits);
        significand = magnitude << shift;
        quantum = FloatLayout::smallestQuantum - shift;
    }
    const ExtendedFloat product = multiplyRounded(significand, entry.factor);
    // Rounding the already rounded 64-bit product again is the x87's double rounding.
    return roundToFloat((bits & FloatLayout::signBit) != 0, product.significand, product.exponent + quantum,
                        false);
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
Amount convertAmount(const ConversionEntry& entry, Amount amount) {
    const auto bits = std::bit_cast<std::uint32_t>(amount);
    const std::uint32_t biasedExponent = (bits & FloatLayout::infinityBits) >> FloatLayout::fractionBits;
    const std::uint32_t significand = (bits & FloatLayout::fractionMask) | FloatLayout::hiddenBit;
    const std::uint64_t high = multiplyExactly(significand, entry.factor.significand).high;
    // high lies in [2^62, 2^64): below the float's bits lie one fewer than
    // extendedToFloatDrop, or that many when the top bit is set.
    const std::uint64_t droppedBits =
        extendedToFloatDrop - 1 + (high >> (ExtendedLayout::significandBits - 1));
    const std::uint64_t half = std::uint64_t{1} << (droppedBits - 1);
    const std::uint64_t dropped = high & ((half << 1) - 1);
    // high * 2^highExponent is the product, and its top bit has the exponent `leading`.
    const std::int64_t highExponent = std::int64_t{biasedExponent} - FloatLayout::exponentBias -
                                      FloatLayout::fractionBits + entry.factor.exponent + Product::split;
    const std::int64_t leading =
        highExponent + static_cast<std::int64_t>(droppedBits) + FloatLayout::fractionBits;
    // Unsigned wrap-around: the first test catches the biased exponents 0 and 255,
    // the second the dropped bits half - 1 and half.
    if (biasedExponent - 1 >= FloatLayout::largestBiasedExponent - 1 || dropped - (half - 1) <= 1 ||
        leading < FloatLayout::smallestExponent || leading > FloatLayout::largestExponent) {
        return convertAnyAmount(entry, amount);
    }
    // Far from a tie, rounding these bits once gives what rounding twice would.
    return roundToFloat((bits & FloatLayout::signBit) != 0, high, static_cast<std::int32_t>(highExponent),
                        false);
}

}  // namespace euro_umrechner
