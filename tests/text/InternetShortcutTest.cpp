#include "text/InternetShortcut.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using std::nullopt;
using namespace std::string_literals;

TEST(InternetShortcut, ReadsTheFirstUrlLineOfItsSection) {
  const struct {
    std::string contents;
    std::optional<std::string> url;
  } cases[] = {
      {"[InternetShortcut]\r\nURL=http://a.example/\r\n", "http://a.example/"},
      {"[InternetShortcut]\nURL=https://b.example/x\n", "https://b.example/x"},
      {"[InternetShortcut]\r\nURL=http://c.example/", "http://c.example/"},
      {"[Other]\r\nURL=http://wrong/\r\n[InternetShortcut]\r\nIconIndex=0\r\nBASEURL=http://base/\r\n"
       "URL=http://right/\r\nURL=http://second/\r\n[InternetShortcut.W]\r\nURL=x\r\n",
       "http://right/"},
      {"[internetshortcut]\r\n  url = http://e.example/ \r\n", "http://e.example/"},
      {"\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://bom.example/\r\n", "http://bom.example/"},
      {"[InternetShortcut]\r\nURL=http://padded.example/\0\0\0"s, "http://padded.example/"},
      {"URL=http://no-section/\r\n", nullopt},
      {"[InternetShortcut]\r\nIconFile=x\r\n[Other]\r\nURL=http://other/\r\n", nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.contents);
    EXPECT_EQ(text::ShortcutUrl(c.contents), c.url);
  }
}

TEST(InternetShortcut, SetsItsIconKeepingTheRest) {
  EXPECT_EQ(text::ShortcutValue("[InternetShortcut]\r\nURL=u\r\nICONINDEX = 2\r\n", "iconindex"), "2");
  const struct {
    std::string contents, withIcon;
  } cases[] = {
      {"[InternetShortcut]\nURL=u\n iconindex = 3 \n[Other]\nIconFile=o\n",
       "[InternetShortcut]\nURL=u\nIconIndex=1\nIconFile=C:\\i.ico\r\n[Other]\nIconFile=o\n"},
      {"\xEF\xBB\xBF[InternetShortcut]\r\nIconFile=old\r\nURL=u",
       "\xEF\xBB\xBF[InternetShortcut]\r\nIconFile=C:\\i.ico\r\nURL=u\r\nIconIndex=1\r\n"},
      {"[InternetShortcut]\r\nURL=u\r\n\0\0"s,
       "[InternetShortcut]\r\nURL=u\r\nIconFile=C:\\i.ico\r\nIconIndex=1\r\n\0\0"s},
      {"[Other]\r\nA=b", "[Other]\r\nA=b\r\n[InternetShortcut]\r\nIconFile=C:\\i.ico\r\nIconIndex=1\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.contents);
    EXPECT_EQ(text::WithShortcutIcon(c.contents, "C:\\i.ico", 1), c.withIcon);
  }
}

TEST(InternetShortcut, TellsPathsThatReachOtherMachines) {
  const struct {
    const wchar_t* path;
    bool remote;
  } cases[] = {
      {LR"(\\server\share\a.ico)", true}, {L"//server/x", true},
      {LR"(\\?\UNC\s\x)", true},          {LR"(\\.\pipe\x)", true},
      {LR"(\??\UNC\s\x)", true},          {L"file:///C:/a.ico", true},
      {LR"(\\?\C:\a.ico)", false},        {LR"(\\.\C:\a.ico)", false},
      {LR"(relative\a.ico)", false},      {L"C:a.ico", false},
  };
  for (const auto& c : cases) EXPECT_EQ(text::IsRemotePath(c.path), c.remote) << text::ToUtf8(c.path);
}

TEST(InternetShortcut, IsWrittenAsWindowsWritesIt) {
  EXPECT_EQ(text::ShortcutContents("http://a.example/"), "[InternetShortcut]\r\nURL=http://a.example/\r\n");
}

TEST(InternetShortcut, KeepsOnlyWebUrlsInAscii) {
  const std::string longest = "http://a/" + std::string(text::kMaxUrlLength - 9, 'x');
  const struct {
    std::string url;
    std::optional<std::string> kept;
  } cases[] = {
      {"http://a.example/", "http://a.example/"},
      {"HTTPS://A.example/p?q#f", "HTTPS://A.example/p?q#f"},
      {"Ftp://files.example/x", "Ftp://files.example/x"},
      {" \thttp://a.example/\r\n", "http://a.example/"},
      {"http://xn--r8jz45g.jp/\xE3\x83\x91?q=\xE6\x97\xA5", "http://xn--r8jz45g.jp/%E3%83%91?q=%E6%97%A5"},
      {longest, longest},
      {longest + "x", nullopt},
      {"javascript:alert(1)//http://a/", nullopt},
      {"file:///C:/a.url", nullopt},
      {"httpx://a/", nullopt},
      {"http:/a/", nullopt},
      {"http://", nullopt},
      {"http://a b/", nullopt},
      {"http://a/\nhttp://b/", nullopt},
      {"http://a/\x7F", nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url.substr(0, 60));
    const auto link = text::WebLinkFrom(c.url, L"title");
    ASSERT_EQ(link.has_value(), c.kept.has_value());
    if (link) {
      EXPECT_EQ(link->url, *c.kept);
      EXPECT_EQ(link->title, L"title");
    }
  }
}

TEST(InternetShortcut, EncodesWideTextAsUtf8) {
  const struct {
    std::wstring wide;
    std::string utf8;
  } cases[] = {
      {L"a\u00E9\u65E5", "a\xC3\xA9\xE6\x97\xA5"},
      {L"\xD834\xDD1E", "\xF0\x9D\x84\x9E"},
      {L"\xD834x\xDD1E", "\xEF\xBF\xBDx\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) EXPECT_EQ(text::ToUtf8(c.wide), c.utf8);
}

TEST(InternetShortcut, FindsTheHost) {
  const struct {
    const char* url;
    const char* host;
  } cases[] = {
      {"http://user:pw@Host.example:8080/p", "Host.example"},
      {"https://[::1]:443/", "[::1]"},
      {"http://a.example?q", "a.example"},
      {"http://a@b@c.example#f", "c.example"},
      {"no-scheme", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(text::UrlHost(c.url), c.host) << c.url;
}

TEST(InternetShortcut, SplitsMozUrlIntoUrlAndTitle) {
  const struct {
    std::wstring text;
    std::wstring url;
    std::wstring title;
  } cases[] = {
      {L"http://a/\nPage", L"http://a/", L"Page"},
      {L"http://a/\r\nPage\r\n", L"http://a/", L"Page"},
      {L"http://a/", L"http://a/", L""},
      {L"http://a/\nFirst\nhttp://b/\nSecond", L"http://a/", L"First"},
  };
  for (const auto& c : cases) {
    const text::MozUrl split = text::SplitMozUrl(c.text);
    EXPECT_EQ(split.url, c.url);
    EXPECT_EQ(split.title, c.title);
  }
}

TEST(InternetShortcut, TitleIsTheFileNameWithoutUrl) {
  const struct {
    const wchar_t* name;
    const wchar_t* title;
  } cases[] = {
      {L"Page.url", L"Page"},
      {L"Page.URL", L"Page"},
      {L"a.url.txt", L"a.url.txt"},
      {L"url", L"url"},
  };
  for (const auto& c : cases) EXPECT_EQ(text::TitleOfShortcutName(c.name), c.title);
}

}  // namespace
