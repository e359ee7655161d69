// The result's number as the dialog shows it.
#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <string_view>
#include <system_error>

namespace euro_umrechner {

// Long enough for any amount as "%g" shows it, such as "-1.17549e-38".
using AmountText = std::array<char, 32>;

// `amount` as printf's "%g" shows it in the C locale, written into `text`.
// This std::to_chars is specified as that printf, is exact like it, and costs
// a third as much.
inline std::string_view formatAmount(float amount, AmountText& text) {
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(),
                                            static_cast<double>(amount), std::chars_format::general, 6);
    const std::size_t length = error == std::errc{} ? static_cast<std::size_t>(end - text.data()) : 0;
    return {text.data(), length};
}

}  // namespace euro_umrechner
