// A URL read from a shortcut is written back and read again unchanged; a kept
// link is ASCII, within kMaxUrlLength, http, https or ftp with a host; the
// parts found in a text are views into it; UTF-8 made of UTF-16 decodes back.
#include <cstdlib>
#include <string>
#include <vector>

#include "text/InternetShortcut.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// An empty part may point anywhere.
template <typename View>
bool Within(View part, View whole) {
  return part.empty() || (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool Trimmed(std::string_view s) { return s.empty() || (!IsBlank(s.front()) && !IsBlank(s.back())); }

bool LowerEquals(std::string_view s, std::string_view lower) {
  if (s.size() != lower.size()) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((s[i] >= 'A' && s[i] <= 'Z' ? s[i] - 'A' + 'a' : s[i]) != lower[i]) return false;
  }
  return true;
}

void CheckShortcutUrl(std::string_view contents) {
  const std::optional<std::string> url = text::ShortcutUrl(contents);
  if (!url) return;
  Check(contents.find(*url) != contents.npos && Trimmed(*url));
  Check(url->find('\0') == url->npos && url->find('\n') == url->npos);
  Check(text::ShortcutUrl(text::ShortcutContents(*url)) == *url);
}

void CheckHost(std::string_view url) {
  const std::string_view host = text::UrlHost(url);
  Check(Within(host, url));
  Check(host.find_first_of("/?#\\@") == host.npos);
  Check(host.starts_with('[') || host.find(':') == host.npos);
  Check(host.empty() || url.find("://") < static_cast<size_t>(host.data() - url.data()));
}

void CheckWebLink(std::string_view url) {
  const std::string ascii = text::AsciiUrl(url);
  size_t high = 0;
  for (const char c : url) high += static_cast<unsigned char>(c) >= 0x80;
  Check(Trimmed(ascii) && text::AsciiUrl(ascii) == ascii);
  Check(ascii.size() <= url.size() + 2 * high);

  const std::optional<text::WebLink> link = text::WebLinkFrom(url, L"t");
  Check(link.has_value() == text::IsWebUrl(ascii));
  if (!link) return;
  Check(link->url == ascii && link->title == L"t");
  Check(ascii.size() <= text::kMaxUrlLength);
  for (const char c : ascii) Check(c > ' ' && c < 0x7F);
  const std::string_view scheme = std::string_view(ascii).substr(0, ascii.find("://"));
  Check(LowerEquals(scheme, "http") || LowerEquals(scheme, "https") || LowerEquals(scheme, "ftp"));
  Check(!text::UrlHost(ascii).empty());
  Check(text::ShortcutUrl(text::ShortcutContents(ascii)) == ascii);
}

// The code points of strict UTF-8, or nothing when it is not.
std::optional<std::u32string> DecodeUtf8(std::string_view s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const size_t n = b < 0x80                ? 1
                     : b >= 0xC2 && b < 0xE0 ? 2
                     : b >= 0xE0 && b < 0xF0 ? 3
                     : b >= 0xF0 && b < 0xF5 ? 4
                                             : 0;
    if (n == 0 || i + n > s.size()) return std::nullopt;
    char32_t c = n == 1 ? b : b & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return std::nullopt;
      c = c << 6 | (t & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    out += c;
    i += n;
  }
  return out;
}

void CheckUtf8(std::wstring_view wide) {
  std::u32string expected;
  for (size_t i = 0; i < wide.size(); ++i) {
    const char32_t c = wide[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
      expected += 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else {
      expected += c >= 0xD800 && c < 0xE000 ? 0xFFFD : c;
    }
  }
  Check(DecodeUtf8(text::ToUtf8(wide)) == expected);
}

void CheckMozUrl(std::wstring_view moz) {
  const text::MozUrl split = text::SplitMozUrl(moz);
  Check(Within(split.url, moz) && Within(split.title, moz));
  for (const std::wstring_view line : {split.url, split.title}) {
    Check(line.find(L'\n') == line.npos);
  }
  Check(split.url.empty() || split.url.data() == moz.data());
  const size_t lineEnd = moz.find(L'\n');
  Check(lineEnd == moz.npos ? split.title.empty()
                            : split.title.empty() || split.title.data() == moz.data() + lineEnd + 1);
  std::wstring_view first = moz.substr(0, lineEnd);
  if (first.ends_with(L'\r')) first.remove_suffix(1);
  Check(split.url == first);
  CheckUtf8(split.url);
}

void CheckTitle(std::wstring_view name) {
  const std::wstring_view title = text::TitleOfShortcutName(name);
  Check(title.data() == name.data() && title.size() <= name.size());
  if (title.size() == name.size()) return;
  Check(title.size() + 4 == name.size());
  std::string extension;
  for (const wchar_t c : name.substr(title.size())) extension += c < 0x80 ? static_cast<char>(c) : '?';
  Check(LowerEquals(extension, ".url"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckShortcutUrl(bytes);
  CheckHost(bytes);
  CheckWebLink(bytes);
  if (const std::optional<std::string> url = text::ShortcutUrl(bytes)) CheckWebLink(*url);

  // The same bytes as UTF-16, as Windows hands text to a drop target.
  std::wstring wide;
  for (size_t i = 0; i + 1 < size; i += 2) wide += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  CheckMozUrl(wide);
  CheckTitle(wide);
  CheckWebLink(text::ToUtf8(text::SplitMozUrl(wide).url));
  return 0;
}
