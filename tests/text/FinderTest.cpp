#include "text/Finder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using text::Place;

TEST(Finder, PlacesABookmarkByItsWorstTerm) {
  const struct {
    std::wstring typed, name;
    std::string url;
    std::wstring folders;
    Place place;
  } cases[] = {
      {L"ab", L"xab ab", "", L"", Place::WordStart},
      {L"b", L"a-b", "", L"", Place::WordStart},
      {L"b", L"a1b", "", L"", Place::InName},
      {L"b", L"\u00E9b", "", L"", Place::InName},
      {L"b", L"\u300Cb", "", L"", Place::WordStart},
      {L"\uFF34\uFF2F\uFF2B", L"tokyo", "", L"", Place::NameStart},
      {L"\u00C9", L"caf\u00E9", "", L"", Place::InName},
      {L"\u00D7", L"\u00F7", "", L"", Place::Nowhere},
      {L"\u30AC", L"\uFF76\uFF9E", "", L"", Place::NameStart},
      {L"\u30D1", L"\uFF8A\uFF9F", "", L"", Place::NameStart},
      {L"\u30C5", L"\u3064\u309B", "", L"", Place::NameStart},
      {L"\u30F4", L"\uFF73\uFF9E", "", L"", Place::NameStart},
      {L"\uFF9C\uFF9E", L"\u30F7", "", L"", Place::NameStart},
      {L"\u309E", L"\u30FD\u309B", "", L"", Place::NameStart},
      {L"y\tx", L"x y", "", L"", Place::WordStart},
      {L"y\u3000x", L"x y", "", L"", Place::WordStart},
      {L"tok EXAMPLE", L"tokyo", "HTTP://EXAMPLE.com/", L"", Place::InHost},
      {L"\u00E9", L"n", "http://x/\xE9", L"", Place::Elsewhere},
      {L"\u00E9", L"n", "http://x/\xC9", L"", Place::Nowhere},
      {L"docs", L"n", "", L"work docs ", Place::Elsewhere},
      {L"tok zzz", L"tokyo", "", L"", Place::Nowhere},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(text::Finder(c.typed).Match(c.name, c.url, c.folders), c.place);
  }
}

}  // namespace
