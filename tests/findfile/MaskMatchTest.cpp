#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MaskTable.h"
#include "findfile/FindFile.h"

namespace {

// The same program runs under LC_ALL=ja_JP.UTF-8 and LC_ALL=en_US.UTF-8;
// the tests for one code page only are worthless if the locale did not take.
TEST(MaskMatch, RunsUnderTheLocalesCodePage) {
  const char* locale = std::getenv("LC_ALL");
  const std::string name = locale ? locale : "";
  if (name.starts_with("ja_JP"))
    EXPECT_EQ(GetACP(), 932u);
  else if (name.starts_with("en_US"))
    EXPECT_EQ(GetACP(), 1252u);
  else
    GTEST_SKIP() << "LC_ALL=" << name;
}

TEST(MaskMatch, MasksAgainstFileNames) {
  for (const MaskCase& row : kMaskTable)
    EXPECT_EQ(MatchFileName(row.fileName, row.mask), row.fits)
        << "mask '" << row.mask << "', name '" << row.fileName << "'";

  struct ListRow {
    std::vector<std::string> masks;
    const char* fileName;
    bool fits;
  };
  const ListRow lists[] = {
      {{"*.txt", "*.url"}, "A.URL", true},
      {{"*.txt", "*.url"}, "A.DOC", false},
      {{}, "A.URL", false},
  };
  TFindFile find;
  for (const ListRow& row : lists) {
    find.FileMask = row.masks;
    EXPECT_EQ(find.MatchMasks(row.fileName), row.fits) << row.masks.size() << " lines, name '" << row.fileName << "'";
  }
}

TEST(MaskMatch, PartsAndPatterns) {
  EXPECT_EQ(UpperNamePart("a.b.c"), "A.B");
  EXPECT_EQ(UpperExtPart("a.b.c"), "C");
  EXPECT_EQ(UpperNamePart(".profile"), "");
  EXPECT_EQ(UpperExtPart(".profile"), "PROFILE");
  EXPECT_EQ(UpperNamePart("readme"), "README");
  EXPECT_EQ(UpperExtPart("readme"), "");
  EXPECT_EQ(UpperExtPart(""), "");
  EXPECT_EQ(ReversedText("abc"), "cba");

  EXPECT_TRUE(MatchPattern("", "*"));
  EXPECT_TRUE(MatchPattern("", ""));
  EXPECT_FALSE(MatchPattern("", "A"));
  EXPECT_FALSE(MatchPattern("AB", "A"));
  EXPECT_TRUE(MatchPattern("A", "A*B"));
  EXPECT_FALSE(MatchPattern("a", "A"));  // upper-casing is MatchFileName's part
  EXPECT_TRUE(MatchTail("XAB", "*?B"));
  EXPECT_FALSE(MatchTail("XAB", "*A"));
}

// A double-byte character is two bytes to '?'.
TEST(MaskMatch, DoubleByteNamesCountBytes) {
  const std::string Table = "\x95\x5C.txt";  // 表: trail byte '\'
  EXPECT_FALSE(MatchFileName(Table, "?.txt"));
  EXPECT_TRUE(MatchFileName(Table, "??.txt"));
}

TEST(MaskMatch, UpperCasesByCodePage932) {
  if (GetACP() != 932) GTEST_SKIP() << "code page " << GetACP();
  // Full-width letters upper-case within their two bytes.
  EXPECT_EQ(UpperNamePart("\x82\x81\x82\x82.txt"), "\x82\x60\x82\x61");
  EXPECT_TRUE(MatchFileName("\x82\x81\x82\x82.txt", "\x82\x60\x82\x61.TXT"));
  // ヂ (83 61) has a trail byte 'a' that must not become 'A' (83 41 is ア).
  EXPECT_EQ(UpperNamePart("a\x83\x61"
                          "b.c"),
            "A\x83\x61"
            "B");
  EXPECT_FALSE(MatchFileName("\x83\x61.txt", "\x83\x41.txt"));
  EXPECT_TRUE(MatchFileName("\x83\x61.txt", "\x83\x61.TXT"));
}

TEST(MaskMatch, UpperCasesByCodePage1252) {
  if (GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
  EXPECT_EQ(UpperNamePart("caf\xE9.txt"), "CAF\xC9");
  EXPECT_TRUE(MatchFileName("caf\xE9.txt", "CAF\xC9.*"));
  // Under 932 these bytes would be a character of their own.
  EXPECT_EQ(UpperNamePart("\x83\x61")[1], 'A');
}

}  // namespace
