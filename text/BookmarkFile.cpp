#include "text/BookmarkFile.h"

#include <algorithm>
#include <optional>

#include "text/InternetShortcut.h"

namespace text {
namespace {

enum class Charset { kUtf8, kWestern };

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EqualsIgnoringCase(std::string_view s, std::string_view lower) {
  return std::ranges::equal(s, lower, [](char a, char b) { return Lower(a) == b; });
}

size_t FindIgnoringCase(std::string_view s, std::string_view lower) {
  for (size_t at = 0; at + lower.size() <= s.size(); ++at) {
    if (EqualsIgnoringCase(s.substr(at, lower.size()), lower)) return at;
  }
  return s.npos;
}

// Windows-1252 from 0x80 to 0x9F; the rest of it is Latin-1.
constexpr char16_t kWestern80[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                     0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

bool IsCharacter(char32_t c) { return c > 0 && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF); }

void AppendUtf16(std::wstring& out, char32_t c) {
  if (c >= 0x10000) {
    out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    out += static_cast<wchar_t>(c);
  }
}

// The character at `at`, `at` moved past it; a byte that starts no UTF-8
// character is U+FFFD on its own.
char32_t NextCharacter(std::string_view s, size_t& at, Charset charset) {
  const auto lead = static_cast<unsigned char>(s[at++]);
  if (lead < 0x80) return lead;
  if (charset == Charset::kWestern) return lead < 0xA0 ? kWestern80[lead - 0x80] : lead;
  const size_t length = lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xF0 ? 4 : 0;
  if (length == 0 || at - 1 + length > s.size()) return 0xFFFD;
  char32_t c = lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    const auto trail = static_cast<unsigned char>(s[at - 1 + k]);
    if ((trail & 0xC0) != 0x80) return 0xFFFD;
    c = c << 6 | (trail & 0x3F);
  }
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kLeast[length] || !IsCharacter(c)) return 0xFFFD;
  at += length - 1;
  return c;
}

// The character of the entity at s[at] == '&', `at` moved past its ';';
// nothing (`at` unchanged) when it is none of the few the browsers write.
std::optional<char32_t> Entity(std::string_view s, size_t& at) {
  const std::string_view rest = s.substr(at + 1, 10);
  const size_t end = rest.find(';');
  if (end == rest.npos || end == 0) return std::nullopt;
  const std::string_view name = rest.substr(0, end);
  std::optional<char32_t> c;
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& [named, character] : kNamed) {
    if (name == named) c = static_cast<char32_t>(character);
  }
  if (name[0] == '#' && name.size() > 1) {
    const bool hex = Lower(name[1]) == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    char32_t value = 0;
    bool number = !digits.empty();
    for (const char d : digits) {
      const char l = Lower(d);
      const int digit = IsDigit(d) ? d - '0' : hex && l >= 'a' && l <= 'f' ? l - 'a' + 10 : -1;
      number = number && digit >= 0;
      value = std::min<char32_t>(value * (hex ? 16 : 10) + std::max(digit, 0), 0x110000);
    }
    if (number) c = IsCharacter(value) ? value : 0xFFFD;
  }
  if (c) at += end + 2;
  return c;
}

std::wstring Decode(std::string_view raw, Charset charset) {
  std::wstring out;
  for (size_t at = 0; at < raw.size();) {
    const std::optional<char32_t> entity = raw[at] == '&' ? Entity(raw, at) : std::nullopt;
    AppendUtf16(out, entity ? *entity : NextCharacter(raw, at, charset));
  }
  return out;
}

// A date of digits only; anything else is no date.
std::int64_t Seconds(std::string_view digits) {
  if (digits.empty() || digits.size() > 18 || !std::ranges::all_of(digits, IsDigit)) return 0;
  std::int64_t seconds = 0;
  for (const char d : digits) seconds = seconds * 10 + (d - '0');
  return seconds;
}

struct Tag {
  std::string_view name;  // empty for a comment or a declaration
  bool closing = false;
  // The attributes the reader needs; a null view when absent.
  std::string_view href, added, icon, feed, content, charset;
};

void Keep(Tag& tag, std::string_view attribute, std::string_view value) {
  const std::pair<std::string_view, std::string_view*> kept[] = {{"href", &tag.href},       {"add_date", &tag.added},
                                                                 {"icon", &tag.icon},       {"feedurl", &tag.feed},
                                                                 {"content", &tag.content}, {"charset", &tag.charset}};
  for (const auto& [name, field] : kept) {
    // The first of two wins, as in a browser.
    if (field->data() == nullptr && EqualsIgnoringCase(attribute, name)) *field = value;
  }
}

// Reads the tag at s[at] == '<' and moves `at` past it; false (`at`
// unchanged) when the '<' starts no tag and is text.
bool ReadTag(std::string_view s, size_t& at, Tag& tag) {
  tag = {};
  size_t i = at + 1;
  if (i < s.size() && (s[i] == '!' || s[i] == '?')) {
    const bool comment = s.substr(i).starts_with("!--");
    const std::string_view end = comment ? "-->" : ">";
    const size_t found = s.find(end, i + (comment ? 3 : 0));
    at = found == s.npos ? s.size() : found + end.size();
    return true;
  }
  tag.closing = i < s.size() && s[i] == '/';
  i += tag.closing;
  const size_t nameStart = i;
  if (i >= s.size() || !IsLetter(s[i])) return false;
  while (i < s.size() && (IsLetter(s[i]) || IsDigit(s[i]))) ++i;
  tag.name = s.substr(nameStart, i - nameStart);
  while (i < s.size() && s[i] != '>') {
    if (IsSpace(s[i]) || s[i] == '/') {
      ++i;
      continue;
    }
    const size_t attributeStart = i;
    while (i < s.size() && !IsSpace(s[i]) && s[i] != '=' && s[i] != '>') ++i;
    const std::string_view attribute = s.substr(attributeStart, i - attributeStart);
    while (i < s.size() && IsSpace(s[i])) ++i;
    std::string_view value = s.substr(i, 0);
    if (i < s.size() && s[i] == '=') {
      ++i;
      while (i < s.size() && IsSpace(s[i])) ++i;
      if (i < s.size() && (s[i] == '"' || s[i] == '\'')) {
        const size_t close = std::min(s.find(s[i], i + 1), s.size());
        value = s.substr(i + 1, close - i - 1);
        i = std::min(close + 1, s.size());
      } else {
        const size_t valueStart = i;
        while (i < s.size() && !IsSpace(s[i]) && s[i] != '>') ++i;
        value = s.substr(valueStart, i - valueStart);
      }
    }
    Keep(tag, attribute, value);
  }
  at = std::min(i + 1, s.size());
  return true;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::wstring units;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units += static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  return ToUtf8(units);
}

Charset CharsetOf(const Tag& meta, Charset current) {
  std::string_view name = meta.charset;
  if (name.data() == nullptr) {
    const size_t at = FindIgnoringCase(meta.content, "charset=");
    if (at == meta.content.npos) return current;
    name = meta.content.substr(at + 8);
    name = name.substr(0, std::min(name.find_first_of("; \t\r\n\"'"), name.size()));
  }
  for (const std::string_view western :
       {"windows-1252", "cp1252", "iso-8859-1", "iso8859-1", "latin1", "us-ascii", "ascii"}) {
    if (EqualsIgnoringCase(name, western)) return Charset::kWestern;
  }
  return Charset::kUtf8;
}

// Builds the tree as the tags come: the lists open now, innermost last.
class Reader {
 public:
  explicit Reader(BookmarkFile& file) : file_(file), lists_{{&file.entries, 1}} {}

  Charset charset = Charset::kUtf8;
  bool charsetFixed = false;
  bool sawList = false;
  bool sawTerm = false;

  // The text before the next tag ends a title that is open.
  void Text(std::string_view text) {
    if (titleOf_ == Title::kNone) return;
    const Title kind = titleOf_;
    titleOf_ = Title::kNone;
    // As in any HTML, the white space around a title is no part of it.
    const size_t first = std::min(text.find_first_not_of(" \t\r\n\f"), text.size());
    text = text.substr(first, text.find_last_not_of(" \t\r\n\f") + 1 - first);
    std::wstring title = Decode(text, charset);
    if (kind == Title::kFolder) {
      const bool taken = ignoredLists_ == 0 && lists_.back().depth < kMaxBookmarkDepth;
      if (taken) lists_.back().entries->push_back({std::move(title), "", added_, {}});
      file_.skipped += !taken;
      listOpens_ = taken ? Opens::kFolder : Opens::kSkippedFolder;
      return;
    }
    std::optional<WebLink> link;
    if (ignoredLists_ == 0) link = WebLinkFrom(ToUtf8(Decode(href_, charset)), title);
    if (link) {
      lists_.back().entries->push_back(
          {std::move(title), std::move(link->url), added_, {}, ToUtf8(Decode(icon_, charset))});
    } else {
      ++file_.skipped;
    }
  }

  void Take(const Tag& tag) {
    const auto is = [&](std::string_view name, bool closing) {
      return tag.closing == closing && EqualsIgnoringCase(tag.name, name);
    };
    if (is("dl", false)) {
      sawList = true;
      if (ignoredLists_ > 0 || listOpens_ == Opens::kSkippedFolder || lists_.size() > kMaxBookmarkDepth) {
        ++ignoredLists_;
      } else {
        // A list without a folder's title before it holds more of the list around it.
        const List around = lists_.back();
        lists_.push_back(listOpens_ == Opens::kFolder ? List{&around.entries->back().entries, around.depth + 1}
                                                      : around);
      }
    } else if (is("dl", true)) {
      if (ignoredLists_ > 0) {
        --ignoredLists_;
      } else if (lists_.size() > 1) {
        lists_.pop_back();
      }
    } else if (is("a", false) || is("h3", false)) {
      // A feed's entry is no bookmark.
      titleOf_ = tag.feed.data() ? Title::kNone : is("a", false) ? Title::kLink : Title::kFolder;
      href_ = tag.href;
      icon_ = tag.icon;
      added_ = Seconds(tag.added);
    } else if (is("dt", false)) {
      sawTerm = true;
    } else {
      if (is("meta", false) && !charsetFixed) charset = CharsetOf(tag, charset);
      // Closing tags, descriptions and separators keep a folder's list coming.
      return;
    }
    listOpens_ = Opens::kNothing;
  }

 private:
  enum class Title { kNone, kLink, kFolder };
  // What the next <DL> opens: a folder's list, or one whose entries are skipped.
  enum class Opens { kNothing, kFolder, kSkippedFolder };

  BookmarkFile& file_;
  // A list of the tree and how deep it lies there (the top list is 1); the
  // same list again for a <DL> without a folder's title before it.
  struct List {
    std::vector<BookmarkEntry>* entries;
    int depth;
  };
  std::vector<List> lists_;
  int ignoredLists_ = 0;  // open lists beyond the depth limit or of a skipped folder
  Title titleOf_ = Title::kNone;
  Opens listOpens_ = Opens::kNothing;
  std::string_view href_, icon_;
  std::int64_t added_ = 0;
};

void AppendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
  out.append(" ").append(name).append("=\"");
  AppendEscaped(out, value);
  out += '"';
}

void AppendDate(std::string& out, std::int64_t added) {
  if (added) AppendAttribute(out, "ADD_DATE", std::to_string(added));
}

void AppendEntries(std::string& out, const std::vector<BookmarkEntry>& entries, size_t depth) {
  const std::string indent(depth * 4, ' ');
  for (const BookmarkEntry& entry : entries) {
    out += indent + "<DT>";
    if (entry.IsFolder()) {
      out += "<H3";
      AppendDate(out, entry.added);
      out += '>';
      AppendEscaped(out, ToUtf8(entry.title));
      out += "</H3>\n" + indent + "<DL><p>\n";
      AppendEntries(out, entry.entries, depth + 1);
      out += indent + "</DL><p>\n";
    } else {
      out += "<A";
      AppendAttribute(out, "HREF", entry.url);
      AppendDate(out, entry.added);
      if (!entry.icon.empty()) AppendAttribute(out, "ICON", entry.icon);
      out += '>';
      AppendEscaped(out, ToUtf8(entry.title));
      out += "</A>\n";
    }
  }
}

}  // namespace

BookmarkFile ParseBookmarkFile(std::string_view bytes) {
  BookmarkFile file;
  if (bytes.size() > kMaxBookmarkFileBytes) {
    file.result = BookmarkFile::Result::kTooLarge;
    return file;
  }
  Reader reader(file);
  std::string fromUtf16;
  reader.charsetFixed = true;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    bytes.remove_prefix(3);
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    fromUtf16 = Utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE');
    bytes = fromUtf16;
  } else {
    reader.charsetFixed = false;
  }
  const std::string_view start = bytes.substr(std::min(bytes.find_first_not_of(" \t\r\n\f"), bytes.size()));
  const std::string_view kDoctype = "<!doctype netscape-bookmark-file-1>";
  const bool doctype = EqualsIgnoringCase(start.substr(0, kDoctype.size()), kDoctype);

  size_t textStart = 0;
  for (size_t at = 0;;) {
    const size_t open = std::min(bytes.find('<', at), bytes.size());
    Tag tag;
    size_t next = open;
    if (open < bytes.size() && !ReadTag(bytes, next, tag)) {
      at = open + 1;
      continue;
    }
    reader.Text(bytes.substr(textStart, open - textStart));
    if (open == bytes.size()) break;
    reader.Take(tag);
    at = textStart = next;
  }
  if (!doctype && !(reader.sawList && reader.sawTerm)) return {BookmarkFile::Result::kNotBookmarks, {}, 0};
  return file;
}

std::string WriteBookmarkFile(const std::vector<BookmarkEntry>& entries) {
  std::string out =
      "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
      "<!-- This is an automatically generated file.\n"
      "     It will be read and overwritten.\n"
      "     DO NOT EDIT! -->\n"
      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
      "<TITLE>Bookmarks</TITLE>\n"
      "<H1>Bookmarks</H1>\n"
      "<DL><p>\n";
  AppendEntries(out, entries, 1);
  out += "</DL><p>\n";
  return out;
}

}  // namespace text
