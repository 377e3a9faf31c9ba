#include "text/InternetShortcut.h"

#include <algorithm>

namespace text {
namespace {

std::string_view Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t\r\n");
  if (first == s.npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

template <typename Char>
bool EqualsIgnoringCase(std::basic_string_view<Char> s, std::string_view ascii) {
  auto lower = [](Char c) { return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c; };
  return std::equal(s.begin(), s.end(), ascii.begin(), ascii.end(),
                    [&](Char a, char b) { return lower(a) == lower(static_cast<Char>(b)); });
}

struct KeyValue {
  std::string_view key, value;
};

// The key and value of a "key=value" line, trimmed; nothing for a line without '='.
std::optional<KeyValue> KeyValueOf(std::string_view line) {
  const size_t equals = line.find('=');
  if (equals == line.npos) return std::nullopt;
  return KeyValue{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// Hands `take` each line, whole with its line end, then without it, white
// space around or a BOM before, and whether it lies in the [InternetShortcut]
// section, whose header lies in it too.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
  bool inSection = false;
  for (bool first = true; !text.empty(); first = false) {
    const std::string_view line = text.substr(0, std::min(text.find('\n'), text.size() - 1) + 1);
    text.remove_prefix(line.size());
    std::string_view bare = first && line.starts_with("\xEF\xBB\xBF") ? line.substr(3) : line;
    bare = Trim(bare);
    if (bare.starts_with('[')) inSection = EqualsIgnoringCase(bare, "[InternetShortcut]");
    take(line, bare, inSection);
  }
}

// The line at the start of `rest`, without its line end; `rest` moves past it.
template <typename Char>
std::basic_string_view<Char> NextLine(std::basic_string_view<Char>& rest) {
  const size_t end = std::min(rest.find(Char('\n')), rest.size());
  auto line = rest.substr(0, end);
  rest.remove_prefix(std::min(end + 1, rest.size()));
  if (!line.empty() && line.back() == Char('\r')) line.remove_suffix(1);
  return line;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::optional<std::string> ShortcutUrl(std::string_view contents) { return ShortcutValue(contents, "URL"); }

std::optional<std::string> ShortcutValue(std::string_view contents, std::string_view key) {
  std::optional<std::string> value;
  ForEachLine(contents.substr(0, contents.find('\0')), [&](std::string_view, std::string_view bare, bool inSection) {
    const std::optional<KeyValue> pair = inSection && !value ? KeyValueOf(bare) : std::nullopt;
    if (pair && EqualsIgnoringCase(pair->key, key)) value = std::string(pair->value);
  });
  return value;
}

std::string WithShortcutIcon(std::string_view contents, std::string_view iconFile, int iconIndex) {
  // What follows the first NUL is not read as text, but is kept after it.
  const std::string_view text = contents.substr(0, contents.find('\0'));
  struct Setting {
    std::string_view key;
    std::string value;
    bool written = false;
  } settings[] = {{"IconFile", std::string(iconFile)}, {"IconIndex", std::to_string(iconIndex)}};
  std::string out;
  const auto addUnwritten = [&](std::string_view header) {
    if (!out.empty() && !out.ends_with('\n')) out += "\r\n";
    out += header;
    for (Setting& setting : settings) {
      if (!setting.written) out += std::string(setting.key) + "=" + setting.value + "\r\n";
      setting.written = true;
    }
  };
  bool wasInSection = false, sawSection = false;
  ForEachLine(text, [&](std::string_view line, std::string_view bare, bool inSection) {
    if (wasInSection && !inSection) addUnwritten("");
    wasInSection = inSection;
    sawSection = sawSection || inSection;
    const std::optional<KeyValue> pair = inSection ? KeyValueOf(bare) : std::nullopt;
    for (Setting& setting : settings) {
      if (pair && EqualsIgnoringCase(pair->key, setting.key)) {
        out += std::string(setting.key) + "=" + setting.value;
        out += line.substr(line.find_last_not_of("\r\n") + 1);
        setting.written = true;
        return;
      }
    }
    out += line;
  });
  if (wasInSection || !sawSection) addUnwritten(sawSection ? "" : "[InternetShortcut]\r\n");
  return out.append(contents.substr(text.size()));
}

bool IsRemotePath(std::wstring_view path) {
  const auto isSlash = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  const auto isLetter = [](wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); };
  const auto startsWithDrive = [&](std::wstring_view p) {
    return p.size() >= 2 && isLetter(p[0]) && p[1] == L':' && (p.size() == 2 || isSlash(p[2]));
  };
  // "\\?\", "\\.\" and the system's own "\??\" name devices, a drive among them.
  if (path.size() >= 4 && isSlash(path[3]) &&
      ((isSlash(path[0]) && isSlash(path[1]) && (path[2] == L'?' || path[2] == L'.')) ||
       path.substr(0, 3) == L"\\??")) {
    return !startsWithDrive(path.substr(4));
  }
  if (path.size() >= 2 && isSlash(path[0]) && isSlash(path[1])) return true;
  // One letter before the colon is a drive.
  const size_t letters = std::ranges::find_if_not(path, isLetter) - path.begin();
  return letters >= 2 && letters < path.size() && path[letters] == L':';
}

std::string ShortcutContents(std::string_view asciiUrl) {
  return "[InternetShortcut]\r\nURL=" + std::string(asciiUrl) + "\r\n";
}

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char32_t>(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::string AsciiUrl(std::string_view url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : Trim(url)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

bool IsWebUrl(std::string_view asciiUrl) {
  if (asciiUrl.size() > kMaxUrlLength) return false;
  for (const char c : asciiUrl) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) return false;
  }
  const size_t colon = asciiUrl.find("://");
  if (colon == asciiUrl.npos) return false;
  const std::string_view scheme = asciiUrl.substr(0, colon);
  return (EqualsIgnoringCase(scheme, "http") || EqualsIgnoringCase(scheme, "https") ||
          EqualsIgnoringCase(scheme, "ftp")) &&
         !UrlHost(asciiUrl).empty();
}

std::string_view UrlHost(std::string_view url) {
  const size_t start = url.find("://");
  if (start == url.npos) return {};
  std::string_view host = url.substr(start + 3);
  host = host.substr(0, host.find_first_of("/?#\\"));
  if (const size_t at = host.rfind('@'); at != host.npos) host.remove_prefix(at + 1);
  const size_t portFrom = host.starts_with('[') ? std::min(host.find(']'), host.size()) : 0;
  return host.substr(0, host.find(':', portFrom));
}

std::optional<WebLink> WebLinkFrom(std::string_view url, std::wstring_view title) {
  std::string ascii = AsciiUrl(url);
  if (!IsWebUrl(ascii)) return std::nullopt;
  return WebLink{std::move(ascii), std::wstring(title)};
}

MozUrl SplitMozUrl(std::wstring_view text) {
  const std::wstring_view url = NextLine(text);
  return {url, NextLine(text)};
}

std::wstring_view TitleOfShortcutName(std::wstring_view fileName) {
  if (fileName.size() >= 4 && EqualsIgnoringCase(fileName.substr(fileName.size() - 4), ".url")) {
    fileName.remove_suffix(4);
  }
  return fileName;
}

}  // namespace text
