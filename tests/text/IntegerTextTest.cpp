#include "text/IntegerText.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* text;
  std::optional<std::int32_t> value;
};

TEST(ParseInteger, FollowsTheSettingsFileRules) {
  const Case cases[] = {
      {"0", 0},
      {"100", 100},
      {"012", 12},
      {"-20", -20},
      {"+7", 7},
      {"   42", 42},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"0x64", 100},
      {"0X64", 100},
      {"$64", 100},
      {"x64", 100},
      {"X64", 100},
      {"$0000064", 100},
      {"$FFFFFFFF", -1},
      {"$ffffffff", -1},
      {"$80000000", INT32_MIN},
      {"$100000000", std::nullopt},
      {"-$10", -16},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"$G", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"-", std::nullopt},
      {"+", std::nullopt},
      {"12abc", std::nullopt},
      {"1.5", std::nullopt},
      {"12 ", std::nullopt},
      {"\t12", std::nullopt},
      {"- 5", std::nullopt},
      {"--5", std::nullopt},
      {"1e3", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::ParseInteger(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(Decimal, WritesEveryDigit) {
  const std::pair<std::uint64_t, std::wstring> cases[] = {
      {0, L"0"}, {7, L"7"}, {10, L"10"}, {30000, L"30000"}, {UINT64_MAX, L"18446744073709551615"}};
  for (const auto& [value, digits] : cases) EXPECT_EQ(text::Decimal(value), digits);
}

}  // namespace
