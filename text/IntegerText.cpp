#include "text/IntegerText.h"

namespace text {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of a hexadecimal prefix at the start of `s`, or 0.
size_t HexPrefix(std::string_view s) {
  if (s.starts_with("0x") || s.starts_with("0X")) return 2;
  if (s.starts_with('$') || s.starts_with('x') || s.starts_with('X')) return 1;
  return 0;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view s) {
  while (s.starts_with(' ')) s.remove_prefix(1);
  bool negative = false;
  if (s.starts_with('+') || s.starts_with('-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (const size_t prefix = HexPrefix(s)) {
    s.remove_prefix(prefix);
    if (s.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : s) {
      const int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(digit);
      if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    auto bits = static_cast<std::uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }
  if (s.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::wstring Decimal(std::uint64_t value) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
    value /= 10;
  } while (value);
  return digits;
}

}  // namespace text
