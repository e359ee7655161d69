#include "number_formats/extended_float.hpp"

namespace euro_umrechner {

ExtendedFloat multiplyRounded(std::uint32_t significand, ExtendedFloat factor) {
    const Product product = multiplyExactly(significand, factor.significand);
    // The product lies in [2^86, 2^88); below 2^87 its top 64 bits take one bit of `low`.
    constexpr int topBit = ExtendedLayout::significandBits - 1;
    const std::uint64_t shortProduct = (product.high >> topBit) ^ 1U;
    const std::uint64_t kept =
        (product.high << shortProduct) | ((product.low >> (Product::split - 1)) & shortProduct);
    // The dropped bits as a 24-bit fraction either way, so that 2^23 is the midpoint.
    const std::uint64_t dropped = (product.low << shortProduct) & Product::lowMask;
    constexpr std::uint64_t half = std::uint64_t{1} << (Product::split - 1);
    const std::uint64_t rounded = kept + roundingIncrement(kept, dropped, half, false);
    const std::uint64_t carry = rounded < kept ? 1 : 0;  // all ones rounded up wrap to 0: the value is 2^64
    const auto exponentChange = static_cast<std::int32_t>(Product::split - shortProduct + carry);
    return {rounded | (carry << topBit), factor.exponent + exponentChange};
}

}  // namespace euro_umrechner
