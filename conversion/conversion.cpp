#include "conversion/conversion.hpp"

#include <bit>

#include "conversion/float_rounding.hpp"

namespace {

constexpr std::uint32_t quietBit = 0x0040'0000U;
constexpr std::uint32_t hiddenBit = 0x0080'0000U;
constexpr std::uint32_t fractionMask = hiddenBit - 1;
constexpr std::int32_t exponentBias = 127 + 23;  // of the significand read as an integer
constexpr std::uint64_t low24Bits = 0xff'ffffU;

// The exact product of a significand below 2^24 and a 64-bit one, up to 88
// bits: `high` from bit 24 up, `low` below.
struct Product {
    std::uint64_t high;
    std::uint64_t low;
};

Product multiplyExactly(std::uint64_t significand, std::uint64_t factor) {
    // Split at bit 24, both partial products stay below 2^64, and so does their sum.
    const std::uint64_t bottom = significand * (factor & low24Bits);
    return {significand * (factor >> 24) + (bottom >> 24), bottom & low24Bits};
}

// `significand` (its top bit at bit 23) times the factor, rounded to a 64-bit
// significand, ties to even, as the x87 multiplies in extended precision.
ExtendedFloat multiplyRounded(std::uint32_t significand, ExtendedFloat factor) {
    const Product product = multiplyExactly(significand, factor.significand);
    // The product lies in [2^86, 2^88); below 2^87 its 64th bit is bit 23 of `low`.
    const std::uint64_t narrow = (product.high >> 63) ^ 1U;
    const std::uint64_t kept = (product.high << narrow) | ((product.low >> 23) & narrow);
    // The dropped bits, doubled when there are only 23, so that 2^23 is the midpoint;
    // adding just under it, or just it when kept is odd, carries when rounding up.
    const std::uint64_t rest = (product.low << narrow) & low24Bits;
    const std::uint64_t rounded = kept + ((rest + 0x7f'ffffU + (kept & 1U)) >> 24);
    const std::uint64_t carry = rounded < kept ? 1 : 0;  // all ones rounded up to 2^64
    const auto exponentChange = static_cast<std::int32_t>(24 - narrow + carry);
    return {rounded | (carry << 63), factor.exponent + exponentChange};
}

// convertAmount for every amount: the 64-bit product, then the float.
Amount convertAnyAmount(const ConversionEntry& entry, Amount amount) {
    const auto bits = std::bit_cast<std::uint32_t>(amount);
    const std::uint32_t magnitude = bits & ~floatSignBit;
    if (magnitude == 0 || magnitude >= floatInfinityBits) {
        // A zero or an infinity times a positive factor is itself; a NaN comes
        // back quieted, with its sign and payload, as the x87 returns it.
        return std::bit_cast<Amount>(magnitude > floatInfinityBits ? bits | quietBit : bits);
    }
    const std::uint32_t biasedExponent = magnitude >> 23;
    std::uint32_t significand = (bits & fractionMask) | hiddenBit;
    std::int32_t exponent = static_cast<std::int32_t>(biasedExponent) - exponentBias;
    if (biasedExponent == 0) {  // a subnormal: no hidden bit, so shift it up to where that would be
        const int shift = std::countl_zero(magnitude) - 8;
        significand = magnitude << shift;
        exponent = 1 - exponentBias - shift;
    }
    const ExtendedFloat product = multiplyRounded(significand, entry.factor);
    // Rounding the already rounded 64-bit product again is the x87's double rounding.
    return roundToFloat((bits & floatSignBit) != 0, product.significand, product.exponent + exponent, false);
}

}  // namespace

const ConversionEntry* findConversion(std::int32_t choice) {
    if (choice < 1 || choice > static_cast<std::int32_t>(conversionTable.size())) {
        return nullptr;
    }
    return &conversionTable[static_cast<std::size_t>(choice - 1)];
}

// The common case, a normal amount and a normal result, takes a short cut:
// the product's bits from 24 up, rounded to float, give the x87's result
// unless their bits below the float's lie at or just under the midpoint,
// where the bits beyond and the double rounding decide.
Amount convertAmount(const ConversionEntry& entry, Amount amount) {
    const auto bits = std::bit_cast<std::uint32_t>(amount);
    const std::uint32_t biasedExponent = (bits >> 23) & 0xffU;
    const std::uint64_t high =
        multiplyExactly((bits & fractionMask) | hiddenBit, entry.factor.significand).high;
    const std::uint64_t restBits = 39 + (high >> 63);  // below the float's 24 bits
    const std::uint64_t half = std::uint64_t{1} << (restBits - 1);
    const std::uint64_t rest = high & ((half << 1) - 1);
    const std::int64_t leading =  // the exponent of the result's top bit
        static_cast<std::int64_t>(restBits + biasedExponent) + entry.factor.exponent + 24 + 23 - exponentBias;
    if (biasedExponent - 1 >= 0xfeU || rest - (half - 1) <= 1 || leading < -126 || leading > 127) {
        return convertAnyAmount(entry, amount);
    }
    // Far from a tie, rounding these bits once gives what rounding twice would.
    const auto exponentOfLastBit =
        static_cast<std::int32_t>(leading - static_cast<std::int64_t>(restBits + 23));
    return roundToFloat((bits & floatSignBit) != 0, high, exponentOfLastBit, false);
}
