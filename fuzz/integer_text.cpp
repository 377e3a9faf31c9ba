// A converted integer prints back to a text that converts to the same value,
// and what is accepted agrees with a conversion done by the standard library.
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>

#include "text/IntegerText.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

template <typename T>
bool WholeNumber(std::string_view s, int base, T& value) {
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  return error == std::errc() && end == s.data() + s.size();
}

// The same rules, written the other way round.
std::optional<std::int32_t> Expected(std::string_view s) {
  s.remove_prefix(std::min(s.find_first_not_of(' '), s.size()));
  const bool negative = s.starts_with('-');
  if (negative || s.starts_with('+')) s.remove_prefix(1);
  for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
    if (!s.starts_with(prefix)) continue;
    s.remove_prefix(prefix.size());
    std::uint32_t bits;
    if (s.empty() || s[0] == '+' || s[0] == '-' || !WholeNumber(s, 16, bits)) return std::nullopt;
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
  }
  std::int64_t value;
  if (s.empty() || s[0] < '0' || s[0] > '9' || !WholeNumber(s, 10, value)) return std::nullopt;
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::string Hex(std::int32_t v) {
  char buffer[16];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint32_t>(v), 16).ptr;
  return "$" + std::string(buffer, end);
}

void RoundTrips(std::int32_t v) {
  Check(text::ParseInteger(std::to_string(v)) == v);
  Check(text::ParseInteger(" " + std::to_string(v)) == v);
  Check(text::ParseInteger(Hex(v)) == v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> value = text::ParseInteger(input);
  Check(value == Expected(input));
  if (value) RoundTrips(*value);
  if (size >= 4) {
    std::int32_t raw;
    std::memcpy(&raw, data, 4);
    RoundTrips(raw);
  }
  return 0;
}
