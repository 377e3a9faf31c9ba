#include "text/NameOrder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(NameLess, PutsTheFirstBeforeTheSecond) {
  const struct {
    std::wstring first, second;
  } cases[] = {
      {L"item 2", L"item 10"},  {L"x12b", L"x21a"},     {L"v99999999999999999999", L"v100000000000000000000"},
      {L"item", L"item 2"},     {L"a", L"B"},           {L"A", L"a"},
      {L"\uFF41\uFF42", L"AC"}, {L"a", L"\uFF22"},      {L"item \uFF19", L"item 10"},
      {L"\u00E9", L"\u00C9x"},  {L"\u00D7", L"\u00F6"}, {L"a1", L"A01"},
      {L"a01b", L"a1c"},        {L"a1b01", L"a01b1"},   {L"a\u3000b", L"a-b"},
      {L"a.txt", L"a1.txt"},    {L"a1", L"a~"},         {L"a_b", L"ab"},
      {L"\u3093", L"\u30A2"},   {L"\u30A2", L"\uFF71"}, {L"\uFFE5", L"\xD83D\xDE00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_TRUE(text::NameLess(c.first, c.second));
    EXPECT_FALSE(text::NameLess(c.second, c.first));
  }
}

}  // namespace
