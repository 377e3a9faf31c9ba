// Writes the fuzz targets' seed corpora: make_seeds <fuzz/corpus folder>.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "image/Favicon.h"
#include "tests/image/BmpSamples.h"

namespace {

namespace fs = std::filesystem;
using namespace std::literals;
using bmp_samples::Make;

void Write(const fs::path& folder, const std::string& name, const std::vector<std::uint8_t>& bytes) {
  fs::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void Write(const fs::path& folder, const std::string& name, const std::string& text) {
  Write(folder, name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string Utf16(std::u16string_view text) {
  std::string bytes;
  for (const char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const fs::path root = argv[1];

  const fs::path bmp = root / "bmp_file";
  Write(bmp, "rgb24", Make({}));
  Write(bmp, "grey1", Make({.bits = 1}));
  Write(bmp, "grey4", Make({.bits = 4}));
  Write(bmp, "grey8-16", Make({.width = 3, .height = -2, .bits = 8, .colorsUsed = 16}));
  Write(bmp, "fields16", Make({.bits = 16, .compression = 3}));
  Write(bmp, "rgb32-v5", Make({.headerSize = 124, .bits = 32}));
  Write(bmp, "core8", Make({.headerSize = 12, .bits = 8}));
  Write(bmp, "rle8", bmp_samples::MakeRle8(3));
  Write(bmp, "rle4", Make({.bits = 4, .compression = 2, .imageSize = 4}));

  const fs::path integer = root / "integer_text";
  int i = 0;
  for (const char* text : {"0", "100", "-20", "+7", "   42", "2147483647", "-2147483648", "0x64", "$FFFFFFFF", "-$10",
                           "X7fffffff", "12abc"}) {
    Write(integer, "seed" + std::to_string(i++), std::string(text));
  }

  const fs::path path = root / "ansi_path";
  i = 0;
  for (const char* text : {"C:\\Tamaroo\\Tamaroo.exe", "C:Tamaroo.exe", "C:\\a.b.url", "C:\\dir.d\\readme",
                           "C:\\\x95\x5C\\Tamaroo.exe", "C:\\d\\\x83\x5C.url", "C:\\d\\x.\x83\x5C", "a.\x95"}) {
    Write(path, "seed" + std::to_string(i++), std::string(text));
  }

  // Shortcut files as bytes, then dragged links as UTF-16.
  const fs::path shortcut = root / "internet_shortcut";
  i = 0;
  for (const char* text : {"[InternetShortcut]\r\nURL=http://a.example/\r\n",
                           "\xEF\xBB\xBF[internetshortcut]\n url = HTTPS://b.example/p?q#f \n",
                           "[Other]\r\nURL=x\r\n[InternetShortcut]\r\nIconIndex=0\r\nURL=ftp://u@[::1]:21/\r\n",
                           "[InternetShortcut]\r\nURL=http://xn--r8jz45g.jp/\xE3\x83\x91\r\n"}) {
    Write(shortcut, "seed" + std::to_string(i++), std::string(text));
  }
  for (const char16_t* text : {u"http://a.example/\r\nPage\r\n", u"https://b.example/\u65E5\nTitle \xD834\xDD1E\nx",
                               u"http://c.example/p.url"}) {
    Write(shortcut, "seed" + std::to_string(i++), Utf16(text));
  }

  // A byte for the code page and the try, the URL's length, the URL, the title.
  const fs::path name = root / "shortcut_name";
  const struct {
    char codePage;
    std::string url;
    std::u16string title;
  } names[] = {
      {0, "http://example.com/", u"Example Domain"},
      {0, "http://x/", u"a\\b/c:d*e?\"<>|\r\n\t"},
      {1, "http://jp.example/", u"\u65E5\u672C\u8A9E"},
      {2, "http://x/", u"Caf\u00E9 \u65E5 \xD834\xDD1E"},
      {0, "http://u@Host.example:80/", u" ..?*|.. "},
      {3, "http://x/", u"con .txt"},
      {0, "http://x/", u"COM\u00B9"},
      {0, "http://x/", std::u16string(99, u'a') + u"\xD834\xDD1E"},
  };
  i = 0;
  for (const auto& n : names) {
    Write(name, "seed" + std::to_string(i++),
          std::string{n.codePage, static_cast<char>(n.url.size())} + n.url + Utf16(n.title));
  }

  // Bookmark files as Chromium, Firefox and Internet Explorer write them, in UTF-16 and the Western code page.
  const fs::path bookmarks = root / "bookmark_file";
  i = 0;
  for (const std::string& text :
       {std::string("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                    "charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n    <DT><H3 "
                    "ADD_DATE=\"1700000000\" PERSONAL_TOOLBAR_FOLDER=\"true\">Bar</H3>\n    <DL><p>\n        <DT><A "
                    "HREF=\"https://a.example/?x=1&amp;y=2\" ADD_DATE=\"1700000001\" ICON=\"data:image/png;base64,AA\">"
                    "A &lt;&#26085;&gt;</A>\n    </DL><p>\n</DL><p>\n"),
        std::string("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><H3>Menu</H3>\n<DD>about\n<DL><p>\n<DT><A "
                    "HREF=\"place:sort=8\">Recent</A>\n<HR>\n<DT><A FEEDURL=\"http://f/rss\" HREF=\"http://f/\">F</A>\n"
                    "</DL><p>\n<DT><A HREF='http://b.example/' add_date=5>B\n"),
        std::string("<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n<DL><p>\r\n<DT><H3 FOLDED>Links</H3>\r\n<DL><p>\r\n"
                    "<DT><A HREF=http://c.example/>C</A>\r\n</DL><p>\r\n</DL><p>\r\n"),
        "\xFF\xFE" + Utf16(u"<DL><DT><A HREF=\"http://d.example/\">\u65E5\xD834\xDD1E</A></DL>"),
        std::string("<META CONTENT=\"text/html; charset=windows-1252\"><dl><dt><a href=\"http://e/\xE9\">caf\xE9 "
                    "\x80</a><dt><h3>f</h3><dl><dt><a href=\"http://g/\">g</a></dl></dl>")}) {
    Write(bookmarks, "seed" + std::to_string(i++), text);
  }

  // Three names in UTF-16, apart at each NUL.
  const fs::path order = root / "name_order";
  i = 0;
  for (const std::u16string_view names :
       {u"item 9\0item 10\0item 100"sv, u"a01b\0a1c\0A1"sv, u"\uFF21\uFF11\0a1\0a01"sv, u"\u304B\0\u30AB\0\uFF76"sv,
        u"x\xD83D\xDE00\0x\uFFE5\0X"sv, u"\u00C9 2\0\u00E9 02\0\u00D7"sv}) {
    Write(order, "seed" + std::to_string(i++), Utf16(names));
  }

  const fs::path page = root / "page_key";
  i = 0;
  for (const char* url : {"HTTPS://Example.COM:443/", "http://u@v@[::FFFF:1]:0080/?q#F", "ftp://a.example:21",
                          "https://a.example/#x", "Web+X://Host:8080\\P", "mailto:A@B", "file:///C:/"}) {
    Write(page, "seed" + std::to_string(i++), std::string(url));
  }

  // The query and the name in UTF-16, each ending at a NUL; the URL and a NUL; the folders in UTF-16.
  const fs::path finder = root / "finder";
  const struct {
    std::u16string_view queryAndName;
    std::string url;
    std::u16string_view folders;
  } finds[] = {
      {u"tok EX\0Tokyo Guide\0"sv, "https://Example.com/tok", u"work "},
      {u"\uFF76\uFF9E \u304B\u309B\0\u30AC\u30A4\u30C9\0"sv, "http://u@jp.example/\xE3\x82\xAC", u"\u65E5\u672C "},
      {u"\u3000x\ty ab\0xab (ab)\0"sv, "mailto:x@y", u""},
      {u"\xD800\0a\xD800z\uFF21\0"sv, "", u"\xDC00 "},
  };
  i = 0;
  for (const auto& f : finds) {
    Write(finder, "seed" + std::to_string(i++), Utf16(f.queryAndName) + f.url + '\0' + Utf16(f.folders));
  }

  // Site pictures of each format, icons of a PNG and of a bitmap, and data URLs.
  const fs::path favicon = root / "favicon";
  const std::vector<std::uint8_t> png = image::PngOfPixels(std::vector<std::uint8_t>(2 * 2 * 4, 0x80), 2, 2);
  std::vector<std::uint8_t> dib;
  for (const std::uint32_t field : {40, 2, 4}) bmp_samples::Put(dib, field, 4);
  dib.resize(40 + 2 * 4 * 4 + 2 * 4);
  Write(favicon, "png", png);
  Write(favicon, "ico-png", image::IcoOfPng(png, 2, 2));
  Write(favicon, "ico-bmp", image::IcoOfPng(dib, 2, 2));
  Write(favicon, "bmp", Make({}));
  Write(favicon, "gif", "GIF89a\x02\0\x02\0\0\0\0"s);
  Write(favicon, "jpeg", "\xFF\xD8\xFF\xE0\0\4\0\0\xFF\xC0\0\x0B\x08\0\x02\0\x02\x01\x01\x11\0\xFF\xDA"s);
  Write(favicon, "url-png", image::PngDataUrl(png));
  Write(favicon, "url-gif", "data:image/gif,GIF89a%02%00%02%00%00%00%00"s);
  return 0;
}
