#include "text/ShortcutName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool AnyCharacter(std::wstring_view) { return true; }
bool Latin1(std::wstring_view c) { return c.size() == 1 && c[0] <= 0xFF; }

const std::wstring a99(99, L'a');

TEST(ShortcutName, IsMadeFromTheTitleAndStaysWhenMadeAgain) {
  const struct {
    std::wstring title;
    const char* url;
    text::CharacterTest canHold;
    std::wstring name;
  } cases[] = {
      {L"Example Domain", "http://example.com/", AnyCharacter, L"Example Domain.url"},
      {L"a\\b/c:d*e?f\"g<h>i|j", "http://x/", AnyCharacter, L"a_b_c_d_e_f_g_h_i_j.url"},
      {L"line\r\nbreak\ttab\u0085end", "http://x/", AnyCharacter, L"line  break tab end.url"},
      {L"  ..Title..  ", "http://x/", AnyCharacter, L"Title.url"},
      {L"___", "http://x/", AnyCharacter, L"___.url"},
      {L"", "http://user@Host.example:80/x", AnyCharacter, L"Host.example.url"},
      {L"?*|", "https://example.org/", AnyCharacter, L"example.org.url"},
      {L" . \t", "https://example.org/", AnyCharacter, L"example.org.url"},
      {L"", "http://.../", AnyCharacter, L"_.url"},
      {L"\u65E5\u672C\u8A9E", "http://x/", AnyCharacter, L"\u65E5\u672C\u8A9E.url"},
      {L"\u65E5\u672C\u8A9E", "http://jp.example/", Latin1, L"jp.example.url"},
      {L"Caf\u00E9 \u65E5", "http://x/", Latin1, L"Caf\u00E9 _.url"},
      {L"a\xD800"
       L"b",
       "http://x/", AnyCharacter, L"a_b.url"},
      {L"CON", "http://x/", AnyCharacter, L"CON_.url"},
      {L"con.txt", "http://x/", AnyCharacter, L"con_.txt.url"},
      {L"NUL .x", "http://x/", AnyCharacter, L"NUL_ .x.url"},
      {L"lpt9", "http://x/", AnyCharacter, L"lpt9_.url"},
      {L"COM\u00B9", "http://x/", AnyCharacter, L"COM\u00B9_.url"},
      {L"CONSOLE", "http://x/", AnyCharacter, L"CONSOLE.url"},
      {L"COM10", "http://x/", AnyCharacter, L"COM10.url"},
      {std::wstring(150, L'a'), "http://x/", AnyCharacter, std::wstring(100, L'a') + L".url"},
      {a99 + L"\xD834\xDD1E", "http://x/", AnyCharacter, a99 + L".url"},
      {a99 + L" b", "http://x/", AnyCharacter, a99 + L".url"},
      {L"CON" + std::wstring(97, L' ') + L"x", "http://x/", AnyCharacter, L"CON_.url"},
      {L"CON." + std::wstring(96, L'x'), "http://x/", AnyCharacter, L"CON_." + std::wstring(95, L'x') + L".url"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(text::ShortcutFileName(c.title, c.url, c.canHold), c.name);
    const std::wstring bare = c.name.substr(0, c.name.size() - 4);
    EXPECT_EQ(text::ShortcutFileName(bare, c.url, c.canHold), c.name);
  }
}

TEST(ShortcutName, OnlyLowerCaseUrlMakesAShortcut) {
  EXPECT_TRUE(text::IsShortcutName("C:\\d\\Page.url", [](unsigned char) { return false; }));
  EXPECT_FALSE(text::IsShortcutName("C:\\d\\Page.URL", [](unsigned char) { return false; }));
}

// A dropped shortcut keeps its own name where the code page holds it, and
// gets a link's name where it does not, so no lossy ANSI name picks another file.
TEST(ShortcutName, DroppedNamesAreKeptOrMadeHoldable) {
  const struct {
    std::wstring dropped;
    bool shortcut;
    std::wstring kept;
  } cases[] = {
      {L"Page.url", true, L"Page.url"},
      {L"Page.URL", false, L""},
      {L"dotend.url. ", true, L"dotend.url"},
      {L".url", true, L".url"},
      {std::wstring(150, L'a') + L".url", true, std::wstring(150, L'a') + L".url"},
      {L"caf\u00E9.url", true, L"caf\u00E9.url"},
      {L"caf\u0113.url", true, L"caf_.url"},
      {L"what\uF03F.url", true, L"what_.url"},
      {L"\uD55C\uAD6D.url", true, L"_.url"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(text::IsShortcutName(c.dropped), c.shortcut);
    if (c.shortcut) {
      EXPECT_EQ(text::KeptShortcutName(c.dropped, Latin1), c.kept);
    }
  }
}

TEST(ShortcutName, ADropOfShortcutsBookmarkFilesOrAWebLinkBringsBookmarks) {
  const struct {
    std::vector<std::wstring> files;
    std::optional<text::WebLink> link;
    bool brings;
  } cases[] = {
      {{L"C:\\d\\Page.url"}, std::nullopt, true},
      {{L"C:\\d\\notes.txt", L"C:\\d\\bookmarks.HTML"}, std::nullopt, true},
      {{L"C:\\d\\Favorites.Htm"}, std::nullopt, true},
      {{L"C:\\d\\page.xhtml.txt", L"C:\\d\\htm"}, std::nullopt, false},
      {{}, text::WebLink{"http://a.example/", L"A"}, true},
      {{}, text::WebLink{"javascript:x", L"A"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    EXPECT_EQ(text::BringsBookmarks(c.files, c.link), c.brings);
  }
}

TEST(ShortcutName, TakenNamesGetANumber) {
  EXPECT_EQ(text::NumberedShortcutName(L"Page", 1), L"Page.url");
  EXPECT_EQ(text::NumberedShortcutName(L"Page", 2), L"Page (2).url");
  EXPECT_EQ(text::NumberedShortcutName(L"Page", 12), L"Page (12).url");
}

}  // namespace
