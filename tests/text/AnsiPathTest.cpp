#include "text/AnsiPath.h"

#include <gtest/gtest.h>

#include "text/LongPath.h"

namespace {

// Shift-JIS lead bytes, so the cases read the same on any system code page.
bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool NoLead(unsigned char) { return false; }

// "表" is 0x95 0x5C and "ソ" is 0x83 0x5C in Shift-JIS: their trail bytes are '\'.
#define HYOU "\x95\x5C"
#define SO "\x83\x5C"

struct Case {
  const char* path;
  const char* folder;
  const char* name;
  const char* extension;
  const char* bare;
};

TEST(AnsiPath, SplitsAtTheLastDelimiterOfWholeCharacters) {
  const Case cases[] = {
      {"C:\\Tamaroo\\Tamaroo.exe", "C:\\Tamaroo\\", "Tamaroo.exe", ".exe", "Tamaroo"},
      {"C:Tamaroo.exe", "C:", "Tamaroo.exe", ".exe", "Tamaroo"},
      {"Q&A.url", "", "Q&A.url", ".url", "Q&A"},
      {"C:\\a.b.url", "C:\\", "a.b.url", ".url", "a.b"},
      {"C:\\f\\.url", "C:\\f\\", ".url", ".url", ""},
      {"C:\\dir.d\\readme", "C:\\dir.d\\", "readme", "", "readme"},
      {"C:\\dir\\", "C:\\dir\\", "", "", ""},
      {"", "", "", "", ""},
      {"C:\\" HYOU "\\Tamaroo.exe", "C:\\" HYOU "\\", "Tamaroo.exe", ".exe", "Tamaroo"},
      {"C:\\d\\" HYOU, "C:\\d\\", HYOU, "", HYOU},
      {"C:\\d\\" SO ".url", "C:\\d\\", SO ".url", ".url", SO},
      {"C:\\d\\x." SO, "C:\\d\\", "x." SO, "." SO, "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(text::FolderOf(c.path, ShiftJisLead), c.folder);
    EXPECT_EQ(text::FileNameOf(c.path, ShiftJisLead), c.name);
    EXPECT_EQ(text::ExtensionOf(c.path, ShiftJisLead), c.extension);
    EXPECT_EQ(text::BareNameOf(c.path, ShiftJisLead), c.bare);
  }
}

TEST(AnsiPath, SingleByteCodePagesSplitAtEveryBackslashByte) {
  EXPECT_EQ(text::FolderOf("C:\\d\\" HYOU, NoLead), "C:\\d\\\x95\\");
  EXPECT_EQ(text::FileNameOf("C:\\d\\" HYOU, NoLead), "");
}

TEST(AnsiPath, LoneLeadByteAtTheEndIsAByteOfItsOwn) {
  EXPECT_EQ(text::ExtensionOf("a.\x95", ShiftJisLead), ".\x95");
  EXPECT_EQ(text::FileNameOf("C:\\\x95", ShiftJisLead), "\x95");
}

TEST(LongPath, FullPathsPastTheLimitTakeTheExtendedForm) {
  const std::wstring tail(240, L'x');
  const struct {
    std::wstring path;
    std::wstring form;
  } cases[] = {
      {L"C:\\" + tail, L"C:\\" + tail},
      {L"C:\\" + tail + L"\\12345", L"\\\\?\\C:\\" + tail + L"\\12345"},
      {L"\\\\server\\" + tail, L"\\\\?\\UNC\\server\\" + tail},
      {L"\\\\?\\C:\\" + tail, L"\\\\?\\C:\\" + tail},
      {L"relative\\" + tail, L"relative\\" + tail},
  };
  for (const auto& c : cases) EXPECT_EQ(text::ExtendedLengthPath(c.path), c.form);
}

}  // namespace
