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

std::optional<std::string> ShortcutUrl(std::string_view contents) {
  contents = contents.substr(0, contents.find('\0'));
  if (contents.starts_with("\xEF\xBB\xBF")) contents.remove_prefix(3);
  bool inSection = false;
  while (!contents.empty()) {
    const std::string_view line = Trim(NextLine(contents));
    if (line.starts_with('[')) {
      inSection = EqualsIgnoringCase(line, "[InternetShortcut]");
    } else if (const size_t equals = line.find('='); inSection && equals != line.npos) {
      if (EqualsIgnoringCase(Trim(line.substr(0, equals)), "URL")) {
        return std::string(Trim(line.substr(equals + 1)));
      }
    }
  }
  return std::nullopt;
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
