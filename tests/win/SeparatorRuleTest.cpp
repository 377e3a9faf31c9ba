#include "win/SeparatorRule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One letter a line: 'E' a visible entry, 'h' a hidden entry, '-' a separator.
// The result shows the separators the rule keeps as '-' and drops as '.'.
std::string Tidy(const std::string& layout) {
  std::vector<win::MenuLine> lines;
  for (char c : layout) lines.push_back({c == '-', c != 'h'});
  win::TidySeparators(lines);
  std::string shown;
  for (size_t i = 0; i < lines.size(); ++i) {
    shown += lines[i].separator ? (lines[i].visible ? '-' : '.') : layout[i];
  }
  return shown;
}

TEST(TidySeparators, ShowsOnlySeparatorsBetweenVisibleEntries) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},           {"-", "."},       {"E-", "E."},  // the title entry alone: its separator is hidden
      {"E-E", "E-E"},                                      // with a bookmark after it, it shows
      {"-E", ".E"},       {"E--E", "E.-E"},                // of several in a row, the last one shows
      {"E-h-E", "E.h-E"},                                  // a hidden entry does not break the row
      {"E-hE", "E-hE"},   {"E-h", "E.h"},   {"h-E", "h.E"}, {"E-E-", "E-E."}, {"E-E--E-", "E-E.-E."},
  };
  for (const auto& [layout, shown] : cases) EXPECT_EQ(Tidy(layout), shown) << layout;
}

TEST(TidySeparators, ShowsAHiddenSeparatorAgainOnceAnEntryFollows) {
  std::vector<win::MenuLine> lines{{false, true}, {true, true}};
  win::TidySeparators(lines);
  EXPECT_FALSE(lines[1].visible);
  lines.push_back({false, true});
  win::TidySeparators(lines);
  EXPECT_TRUE(lines[1].visible);
}

}  // namespace
