// The drop target with what the program makes of a drop: what browsers and
// the shell offer is taken, the rest refused.
#include "app/Drop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestDataObject.h"

namespace {

using tamaroo_test::ChromiumLink;
using tamaroo_test::Descriptor;
using tamaroo_test::FileList;
using tamaroo_test::FirefoxLink;
using tamaroo_test::Format;
using tamaroo_test::TestDataObject;
using tamaroo_test::WideBytes;

constexpr DWORD kAll = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

std::vector<TestDataObject::Entry> Text(CLIPFORMAT format, const std::wstring& text) {
  return {{format, WideBytes(text)}};
}

std::string Lying(DWORD filesAt) {
  DROPFILES header{};
  header.pFiles = filesAt;
  return std::string(reinterpret_cast<const char*>(&header), sizeof header) + "C:\\x.url";
}

const std::wstring longFolder = L"C:\\" + std::wstring(280, L'd') + L"\\";
const std::string hugeUrl = "http://a.example/" + std::string(100000, 'x');

TEST(DropTarget, TakesWhatBrowsersAndTheShellOfferAndRefusesTheRest) {
  const struct {
    const char* what;
    std::vector<TestDataObject::Entry> offers;
    DWORD allowed;
    DWORD effect;
    std::vector<std::wstring> files = {};
    std::string url = {};
    std::wstring title = {};
  } cases[] = {
      {"Chromium link",
       ChromiumLink(L"https://example.com/a", L"A: B", L"A_ B.url", "[InternetShortcut]\nURL=https://example.com/a\n"),
       kAll,
       DROPEFFECT_COPY,
       {},
       "https://example.com/a",
       L"A_ B"},
      {"Firefox link",
       FirefoxLink(L"https://www.mozilla.org/\u65E5", L"Mozilla.URL"),
       kAll,
       DROPEFFECT_COPY,
       {},
       "https://www.mozilla.org/%E6%97%A5",
       L"Mozilla"},
      {"page allowing links only",
       ChromiumLink(L"http://a/", L"A", L"A.url", "[InternetShortcut]\nURL=http://a/\n"),
       DROPEFFECT_LINK,
       DROPEFFECT_LINK,
       {},
       "http://a/",
       L"A"},
      {"page allowing moves only", ChromiumLink(L"http://a/", L"A", L"A.url", "[InternetShortcut]\nURL=http://a/\n"),
       DROPEFFECT_MOVE, DROPEFFECT_NONE},
      {"Explorer",
       {{CF_HDROP, FileList({L"C:\\d\\One.url", L"C:\\d\\notes.txt", L"C:\\d\\\u65E5.url", longFolder + L"Long.url"})}},
       kAll,
       DROPEFFECT_COPY,
       {L"C:\\d\\One.url", L"C:\\d\\notes.txt", L"C:\\d\\\u65E5.url", longFolder + L"Long.url"}},
      {"Explorer without shortcuts",
       {{CF_HDROP, FileList({L"C:\\d\\notes.txt", L"C:\\d\\Page.URL"})}},
       kAll,
       DROPEFFECT_NONE},
      {"Linux browser under Wine",
       {{CF_HDROP, FileList({})}, {Format(L"text/x-moz-url"), WideBytes(L"http://wine/\nWine")}},
       kAll,
       DROPEFFECT_COPY,
       {},
       "http://wine/",
       L"Wine"},
      {"javascript link",
       ChromiumLink(L"javascript:alert(1)", L"Run", L"Run.url", "[InternetShortcut]\nURL=javascript:alert(1)\n"), kAll,
       DROPEFFECT_NONE},
      {"javascript beside a web text",
       {{Format(L"text/x-moz-url"), WideBytes(L"javascript:go()\nGo")}, {CF_UNICODETEXT, WideBytes(L"http://a/")}},
       kAll,
       DROPEFFECT_NONE},
      {"descriptor without contents",
       {{Format(L"FileGroupDescriptorW"), Descriptor(L"Gone.url", FD_LINKUI)},
        {Format(L"UniformResourceLocatorW"), WideBytes(L"http://next/")}},
       kAll,
       DROPEFFECT_COPY,
       {},
       "http://next/",
       L""},
      {"contents without URL=",
       {{Format(L"FileGroupDescriptorW"), Descriptor(L"Odd.url", 0)},
        {Format(L"FileContents"), "[InternetShortcut]\r\nIconFile=x.ico\r\n", true, 0}},
       kAll,
       DROPEFFECT_NONE},
      {"URL= of 100,000 bytes",
       {{Format(L"FileGroupDescriptorW"), Descriptor(L"Huge.url", 0)},
        {Format(L"FileContents"), "[InternetShortcut]\r\nURL=" + hugeUrl + "\r\n", false, 0}},
       kAll,
       DROPEFFECT_NONE},
      {"file list pointing past its block", {{CF_HDROP, Lying(0x7FFFFF00)}}, kAll, DROPEFFECT_NONE},
      {"file list without its end", {{CF_HDROP, Lying(sizeof(DROPFILES))}}, kAll, DROPEFFECT_NONE},
      {"text that is one URL",
       Text(CF_UNICODETEXT, L"  https://example.com/\r\n"),
       kAll,
       DROPEFFECT_COPY,
       {},
       "https://example.com/",
       L""},
      {"text around a URL", Text(CF_UNICODETEXT, L"see https://example.com/"), kAll, DROPEFFECT_NONE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::vector<std::wstring>> files;
    std::vector<text::WebLink> links;
    std::vector<bool> hovers;
    const auto target =
        win::DropTarget::Create([](const win::Offered& offered) { return app::MeaningOf(offered).has_value(); },
                                [&](const win::Offered& offered) {
                                  const std::optional<app::Dropped> d = app::MeaningOf(offered);
                                  if (d && !d->files.empty()) files.push_back(d->files);
                                  if (d && d->link) links.push_back(*d->link);
                                  return d.has_value();
                                },
                                [&](bool over) { hovers.push_back(over); });
    // Only a drag that would be taken is shown over the window, until it
    // leaves, and again until it drops.
    const bool welcome = c.effect != DROPEFFECT_NONE;
    const std::vector<bool> shown = welcome ? std::vector{true, false} : std::vector<bool>{};
    TestDataObject data(c.offers);
    DWORD effect = c.allowed;
    EXPECT_EQ(target->DragEnter(&data, 0, {}, &effect), S_OK);
    EXPECT_EQ(effect, c.effect);
    EXPECT_EQ(hovers, std::vector<bool>(welcome, true));
    target->DragLeave();
    EXPECT_EQ(hovers, shown);
    hovers.clear();
    effect = c.allowed;
    target->DragEnter(&data, 0, {}, &effect);
    effect = c.allowed;
    target->DragOver(0, {}, &effect);
    EXPECT_EQ(effect, c.effect);
    EXPECT_TRUE(files.empty() && links.empty());
    effect = c.allowed;
    EXPECT_EQ(target->Drop(&data, 0, {}, &effect), S_OK);
    EXPECT_EQ(effect, c.effect);
    EXPECT_EQ(hovers, shown);
    EXPECT_EQ(files, c.files.empty() ? decltype(files){} : decltype(files){c.files});
    ASSERT_EQ(links.size(), c.url.empty() ? 0u : 1u);
    if (!links.empty()) {
      EXPECT_EQ(links[0].url, c.url);
      EXPECT_EQ(links[0].title, c.title);
    }
  }
}

}  // namespace
