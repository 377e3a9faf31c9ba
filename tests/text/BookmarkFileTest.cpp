#include "text/BookmarkFile.h"

#include <gtest/gtest.h>

#include <string>

#include "text/InternetShortcut.h"

namespace {

using text::BookmarkEntry;
using Result = text::BookmarkFile::Result;

// "title@date=url icon" for a link, "title@date[...]" for a folder, "; " between.
std::string Outline(const std::vector<BookmarkEntry>& entries) {
  std::string out;
  for (const BookmarkEntry& entry : entries) {
    if (!out.empty()) out += "; ";
    out += text::ToUtf8(entry.title);
    // Appended piece by piece: GCC 12 takes "literal" + string for an overlapping copy (-Wrestrict).
    if (entry.added) out.append("@").append(std::to_string(entry.added));
    if (entry.IsFolder()) {
      out.append("[").append(Outline(entry.entries)).append("]");
    } else {
      out.append("=").append(entry.url);
      if (!entry.icon.empty()) out.append(" ").append(entry.icon);
    }
  }
  return out;
}

std::string Nested(int folders) {
  std::string file = "<DL><p>\n";
  for (int i = 0; i < folders; ++i) file += "<DT><H3>f</H3>\n<DL><p>\n<DT><A HREF=\"http://x/\">x</A>\n";
  for (int i = 0; i < folders; ++i) file += "</DL><p>\n";
  return file + "</DL><p>\n";
}

std::string NestedOutline(int folders) {
  return folders == 0 ? "" : "f[x=http://x/" + std::string(folders > 1 ? "; " : "") + NestedOutline(folders - 1) + "]";
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t c : text) {
    const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

const std::string kLongUrl = "http://x/" + std::string(text::kMaxUrlLength - 9, 'a');

TEST(BookmarkFile, ReadsTheTreeAsBrowsersWriteIt) {
  const struct {
    std::string file;
    Result result;
    std::string outline;
    size_t skipped = 0;
  } cases[] = {
      // Chromium and Edge.
      {"<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<!-- This is an automatically generated file.\n     DO NOT EDIT! -->\n"
       "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n<TITLE>Bookmarks</TITLE>\n"
       "<H1>Bookmarks</H1>\n<DL><p>\n"
       "    <DT><H3 ADD_DATE=\"1700000000\" LAST_MODIFIED=\"0\" PERSONAL_TOOLBAR_FOLDER=\"true\">Bar</H3>\n"
       "    <DL><p>\n"
       "        <DT><A HREF=\"https://a.example/\" ADD_DATE=\"1700000001\" ICON=\"data:image/png;base64,iVB>\">A</A>\n"
       "        <DT><H3>Empty</H3>\n        <DL><p>\n        </DL><p>\n"
       "    </DL><p>\n"
       "    <DT><A HREF=\"http://b.example/\">\xE6\x97\xA5\xE6\x9C\xAC</A>\n"
       "</DL><p>\n",
       Result::kRead,
       "Bar@1700000000[A@1700000001=https://a.example/ data:image/png;base64,iVB>; Empty[]]; "
       "\u65E5\u672C=http://b.example/"},
      // Firefox: descriptions, separators, feeds and its own places.
      {"<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n<DT><H3 ADD_DATE=\"5\">Menu</H3>\n<DD>about the menu\n"
       "<DL><p>\n<DT><A HREF=\"place:sort=8\">Recent</A>\n<HR>\n"
       "<DT><A FEEDURL=\"http://f.example/rss\" HREF=\"http://f.example/\">Feed</A>\n"
       "<DT><A HREF=\"http://c.example/\" SHORTCUTURL=\"c\" TAGS=\"t\">C</A>\n<DD>about C\n</DL><p>\n"
       "<DT><A HREF=\"javascript:alert(1)\">J</A>\n<DT><A HREF=\"data:text/html,x\">D</A>\n"
       "<DT><A HREF=\"file:///C:/x\">F</A>\n<DT><A>no address</A>\n</DL>",
       Result::kRead, "Menu@5[C=http://c.example/]", 5},
      // Internet Explorer's Favorites: CRLF, closing tags left out.
      {"<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n<TITLE>Bookmarks</TITLE>\r\n<DL><p>\r\n"
       "<DT><H3 FOLDED ADD_DATE=\"9\">Links\r\n<DL><p>\r\n<DT><A HREF=\"http://d.example/\">D\r\n"
       "<DT><A HREF=\"http://e.example/\">E</A>\r\n</DL><p>\r\n<DT><A HREF=\"http://g.example/\">G",
       Result::kRead, "Links@9[D=http://d.example/; E=http://e.example/]; G=http://g.example/"},
      // The structure without the doctype is enough; neither alone is.
      {"<html><dl><dt><a href=http://h.example/>H</a></dl></html>", Result::kRead, "H=http://h.example/"},
      {"<html><body><p>A page</p><a href=\"http://h.example/\">H</a></body></html>", Result::kNotBookmarks, ""},
      {"<dl><dd>a definition</dd></dl>", Result::kNotBookmarks, ""},
      {"", Result::kNotBookmarks, ""},
      {"\xEF\xBB\xBF \r\n<!doctype netscape-bookmark-file-1>", Result::kRead, ""},
      // Attributes in any case and order, quoted either way or not at all.
      {"<dl><dt><a add_date=7 href='http://i.example/?a=1&amp;b=\"2\"'>I</a>"
       "<DT><a Href = http://j.example/x?y ADD_date = \"8\">J</a>"
       "<DT><A HREF=\"http://k.example/\" HREF=\"http://other/\" ADD_DATE=\"-3\">K</A>"
       "<DT><A HREF=\"http://l.example/\" ADD_DATE=\"12x\" TITLE='a>b'>L</A></dl>",
       Result::kRead,
       "I@7=http://i.example/?a=1&b=\"2\"; J@8=http://j.example/x?y; K=http://k.example/; L=http://l.example/"},
      // Entities in titles and URLs; unknown ones stay as they are.
      {"<DL><DT><A HREF=\"http://m.example/&#x41;&#66;?&amp;&#x65e5;\">"
       "&amp; &lt;&gt; &quot;&#39;&apos; &#26085;&#x672C;&#X1F600; &#xD800;&#0;&#1114112; &nbsp; &bogus & &#xZZ; "
       "&#;</A>",
       Result::kRead,
       "& <> \"'' \u65E5\u672C\U0001F600 \uFFFD\uFFFD\uFFFD &nbsp; &bogus & &#xZZ; &#;"
       "=http://m.example/AB?&%E6%97%A5"},
      // Character sets: UTF-8 by default (a broken byte is U+FFFD), the
      // Western code page by META, a BOM over any META.
      {"<DL><DT><A HREF=\"http://n.example/\xC3\xA9\">caf\xC3\xA9 \xC3\x28 \xED\xA0\x80</A>", Result::kRead,
       "caf\u00E9 \uFFFD( \uFFFD\uFFFD\uFFFD=http://n.example/%C3%A9"},
      {"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Windows-1252\">"
       "<DL><DT><A HREF=\"http://o.example/\xE9\">caf\xE9 \x80\x93</A>",
       Result::kRead, "caf\u00E9 \u20AC\u201C=http://o.example/%C3%A9"},
      {"<meta charset=iso-8859-1><DL><DT><A HREF=\"http://p.example/\">\xE9</A>", Result::kRead,
       "\u00E9=http://p.example/"},
      {"\xEF\xBB\xBF<META CONTENT=\"text/html; charset=windows-1252\"><DL><DT><A "
       "HREF=\"http://q.example/\">\xC3\xA9</A>",
       Result::kRead, "\u00E9=http://q.example/"},
      {Utf16(
           u"<META CONTENT=\"text/html; charset=windows-1252\"><DL><DT><A HREF=\"http://r.example/\">\u00E9\u65E5</A>",
           false),
       Result::kRead, "\u00E9\u65E5=http://r.example/"},
      {Utf16(u"<DL><DT><A HREF=\"http://s.example/\">\xD83D\xDE00 \xD800</A>", true), Result::kRead,
       "\U0001F600 \uFFFD=http://s.example/"},
      // Hostile: text that looks like tags, tags and comments left open,
      // limits passed, lists closed that were never opened.
      {"</DL></DL><DL><DT><A HREF=\"http://t.example/\"> a < b <3 </A>", Result::kRead, "a < b <3=http://t.example/"},
      {"<DL><DT><A HREF=\"http://u.example/\">U</A><DT><A HREF=\"http://v.example/>V", Result::kRead,
       "U=http://u.example/; =http://v.example/>V"},
      {"<DL><DT><A HREF=\"http://w.example/\">W<!-- <DT><A HREF=\"http://x.example/\">X</A>", Result::kRead,
       "W=http://w.example/"},
      {"<DL><DT><A HREF=\"" + kLongUrl + "\">long</A><DT><A HREF=\"" + kLongUrl + "a\">longer</A>", Result::kRead,
       "long=" + kLongUrl, 1},
      // Titles and folder names of any length stay whole: the name rule cuts the names made of them.
      {"<DL><DT><A HREF=\"http://y/\">" + std::string(5000, 'a') + "</A><DT><H3>" + std::string(99, 'b') +
           "\xF0\x9F\x98\x80</H3><DL><DT><A HREF=\"http://z/\">in</A><DL></DL></DL><DT><A HREF=\"http://z/\">after</A>",
       Result::kRead,
       std::string(5000, 'a') + "=http://y/; " + std::string(99, 'b') +
           "\xF0\x9F\x98\x80[in=http://z/]; after=http://z/"},
      {Nested(text::kMaxBookmarkDepth - 1), Result::kRead, NestedOutline(text::kMaxBookmarkDepth - 1)},
      {Nested(text::kMaxBookmarkDepth), Result::kRead, NestedOutline(text::kMaxBookmarkDepth - 1), 2},
      // The same without the top list's own <DL>.
      {Nested(text::kMaxBookmarkDepth).substr(8), Result::kRead, NestedOutline(text::kMaxBookmarkDepth - 1), 2},
      {std::string(text::kMaxBookmarkFileBytes + 1, ' '), Result::kTooLarge, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    const text::BookmarkFile file = text::ParseBookmarkFile(c.file);
    EXPECT_EQ(file.result, c.result);
    EXPECT_EQ(Outline(file.entries), c.outline);
    EXPECT_EQ(file.skipped, c.skipped);
  }
}

TEST(BookmarkFile, IsWrittenAsBrowsersWriteItAndReadBackTheSame) {
  const std::vector<BookmarkEntry> tree = {
      {L"Bar",
       "",
       1700000000,
       {{L"a&b <c> \"d\" '\u65E5'", "http://a.example/?x=1&y=\"<2>\"", 1700000001, {}, "data:image/gif,a&b"}}},
      {L"Empty", "", 0, {}},
      {L"Top", "https://b.example/", 0, {}},
  };
  const std::string written = text::WriteBookmarkFile(tree);
  EXPECT_EQ(written,
            "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<!-- This is an automatically generated file.\n"
            "     It will be read and overwritten.\n     DO NOT EDIT! -->\n"
            "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
            "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n"
            "    <DT><H3 ADD_DATE=\"1700000000\">Bar</H3>\n    <DL><p>\n"
            "        <DT><A HREF=\"http://a.example/?x=1&amp;y=&quot;&lt;2&gt;&quot;\" ADD_DATE=\"1700000001\" "
            "ICON=\"data:image/gif,a&amp;b\">a&amp;b &lt;c&gt; &quot;d&quot; '\xE6\x97\xA5'</A>\n"
            "    </DL><p>\n"
            "    <DT><H3>Empty</H3>\n    <DL><p>\n    </DL><p>\n"
            "    <DT><A HREF=\"https://b.example/\">Top</A>\n"
            "</DL><p>\n");
  const text::BookmarkFile read = text::ParseBookmarkFile(written);
  EXPECT_EQ(read.result, Result::kRead);
  EXPECT_EQ(read.entries, tree);
  EXPECT_EQ(read.skipped, 0u);
}

}  // namespace
