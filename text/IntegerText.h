#pragma once
// Integers as text: as the settings file holds them, and as the program shows them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace text {

// Leading spaces (0x20 only), an optional sign, then either decimal digits
// within the 32-bit signed range or a hexadecimal form ("$", "x", "X", "0x",
// "0X" and digits) that fits 32 bits and is taken as that bit pattern. The
// whole text must match; anything else gives nullopt.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// The value in decimal digits. (std::to_wstring would bring the C library's
// wide printf, a tenth of the program's size, for this alone.)
std::wstring Decimal(std::uint64_t value);

}  // namespace text
