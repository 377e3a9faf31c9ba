#include "text/ShortcutName.h"

#include <algorithm>

#include "text/IntegerText.h"

namespace text {
namespace {

bool IsSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

size_t CharacterLength(std::wstring_view s, size_t at) {
  return IsHighSurrogate(s[at]) && at + 1 < s.size() && IsLowSurrogate(s[at + 1]) ? 2 : 1;
}

struct Cleaned {
  std::wstring name;
  bool keptOwnCharacter = false;  // one that is neither "_" made here, a space nor a dot
};

Cleaned Clean(std::wstring_view text, CharacterTest canHold) {
  static constexpr std::wstring_view kInvalid = L"\\/:*?\"<>|";
  Cleaned out;
  for (size_t at = 0; at < text.size();) {
    const std::wstring_view c = text.substr(at, CharacterLength(text, at));
    at += c.size();
    if (c[0] < 0x20 || (c[0] >= 0x7F && c[0] <= 0x9F)) {
      out.name += L' ';  // a line break or tab stood between words
    } else if (kInvalid.find(c[0]) != kInvalid.npos || (c.size() == 1 && IsSurrogate(c[0])) || !canHold(c)) {
      out.name += L'_';
    } else {
      out.name += c;
      out.keptOwnCharacter |= c[0] != L' ' && c[0] != L'.';
    }
  }
  return out;
}

// Without spaces and dots at the ends (Windows drops those at the end; at the
// start they hide the name), and not longer than the limit.
std::wstring Fit(std::wstring name) {
  const size_t first = name.find_first_not_of(L" .");
  if (first == name.npos) return {};
  name.erase(0, first);
  if (name.size() > kMaxShortcutNameLength) {
    name.resize(kMaxShortcutNameLength - (IsHighSurrogate(name[kMaxShortcutNameLength - 1]) ? 1 : 0));
  }
  name.erase(name.find_last_not_of(L" .") + 1);
  return name;
}

// Where the device name that `name` stands for ends, or npos. Windows takes
// "CON", "con.txt" and "CON .url" all for the console.
size_t DeviceNameEnd(std::wstring_view name) {
  std::wstring base(name.substr(0, name.find(L'.')));
  base.erase(base.find_last_not_of(L' ') + 1);
  for (wchar_t& c : base) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  static constexpr std::wstring_view kDevices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (const std::wstring_view device : kDevices) {
    if (base == device) return base.size();
  }
  const bool numbered = base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
                        std::wstring_view(L"0123456789\u00B9\u00B2\u00B3").find(base[3]) != base.npos;
  return numbered ? base.size() : std::wstring_view::npos;
}

}  // namespace

bool IsShortcutName(std::string_view name, LeadByteTest isLead) { return ExtensionOf(name, isLead) == ".url"; }

bool IsShortcutName(std::wstring_view fileName) {
  return fileName.substr(0, fileName.find_last_not_of(L" .") + 1).ends_with(L".url");
}

std::wstring KeptShortcutName(std::wstring_view fileName, CharacterTest canHold) {
  std::wstring_view bare = fileName.substr(0, fileName.find_last_not_of(L" .") + 1);
  bare.remove_suffix(bare.ends_with(L".url") ? 4 : 0);
  bool held = true;
  for (size_t at = 0; at < bare.size() && held; at += CharacterLength(bare, at))
    held = canHold(bare.substr(at, CharacterLength(bare, at)));
  return held ? std::wstring(bare) + L".url" : ShortcutFileName(bare, "", canHold);
}

std::wstring ShortcutFileName(std::wstring_view title, std::string_view url, CharacterTest canHold) {
  Cleaned cleaned = Clean(title, canHold);
  if (!cleaned.keptOwnCharacter) {
    std::wstring host;
    for (const char c : UrlHost(url)) host += static_cast<wchar_t>(static_cast<unsigned char>(c));
    cleaned = Clean(host, canHold);
  }
  std::wstring name = Fit(std::move(cleaned.name));
  if (const size_t end = DeviceNameEnd(name); end != std::wstring_view::npos) {
    name = Fit(name.insert(end, 1, L'_'));
  }
  if (name.empty()) name = L"_";
  return name + L".url";
}

bool IsBookmarkFileName(std::wstring_view fileName) {
  const std::wstring_view name = fileName.substr(0, fileName.find_last_not_of(L" .") + 1);
  const auto endsWith = [&](std::wstring_view lower) {
    return name.size() >= lower.size() &&
           std::ranges::equal(name.substr(name.size() - lower.size()), lower,
                              [](wchar_t a, wchar_t b) { return (a >= L'A' && a <= L'Z' ? a - L'A' + L'a' : a) == b; });
  };
  return endsWith(L".html") || endsWith(L".htm");
}

bool BringsBookmarks(const std::vector<std::wstring>& files, const std::optional<WebLink>& link) {
  return std::ranges::any_of(
             files, [](const std::wstring& name) { return IsShortcutName(name) || IsBookmarkFileName(name); }) ||
         (link && WebLinkFrom(link->url, link->title));
}

std::wstring NumberedShortcutName(std::wstring_view bare, int attempt) {
  std::wstring name(bare);
  if (attempt > 1) name += L" (" + Decimal(attempt) + L")";
  return name + L".url";
}

std::wstring_view BareShortcutName(std::wstring_view fileName) {
  return fileName.substr(0, fileName.size() - std::min<size_t>(fileName.size(), 4));
}

}  // namespace text
