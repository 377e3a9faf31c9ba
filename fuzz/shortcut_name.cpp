// A made shortcut name is never empty, ends in ".url", fits the limit, holds
// no invalid, control or unheld character, no device name, no space or dot at
// its ends, and is unchanged when made again from itself. Numbered names stay
// shortcut names and differ from one try to the next.
#include <cstdlib>
#include <string>

#include "text/ShortcutName.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool IsHigh(wchar_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLow(wchar_t c) { return c >= 0xDC00 && c < 0xE000; }

bool AnyCharacter(std::wstring_view) { return true; }
bool AsciiOnly(std::wstring_view c) { return c.size() == 1 && c[0] < 0x80; }
// A code page with gaps: no Latin beyond ASCII, no symbols, no private use, no pairs.
bool WithGaps(std::wstring_view c) {
  return c.size() == 1 && !(c[0] >= 0x80 && c[0] < 0x3000) && !(c[0] >= 0xE000 && c[0] < 0xF900);
}
constexpr text::CharacterTest kCodePages[] = {AnyCharacter, AsciiOnly, WithGaps};

// Whether Windows would take the name for a device: its part before the first
// dot, without spaces at the end, in any case.
bool IsDeviceName(std::wstring_view bare) {
  std::wstring base(bare.substr(0, bare.find(L'.')));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  for (wchar_t& c : base) c = c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c;
  for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
    if (base == device) return true;
  }
  return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
         ((base[3] >= L'0' && base[3] <= L'9') || base[3] == 0xB9 || base[3] == 0xB2 || base[3] == 0xB3);
}

void CheckName(std::wstring_view title, std::string_view url, text::CharacterTest canHold) {
  const std::wstring name = text::ShortcutFileName(title, url, canHold);
  Check(name.ends_with(L".url"));
  const std::wstring_view bare = std::wstring_view(name).substr(0, name.size() - 4);
  Check(!bare.empty() && bare.size() <= text::kMaxShortcutNameLength);
  Check(bare.front() != L' ' && bare.front() != L'.' && bare.back() != L' ' && bare.back() != L'.');
  Check(!IsDeviceName(bare));
  for (size_t at = 0; at < bare.size();) {
    const size_t length = IsHigh(bare[at]) && at + 1 < bare.size() && IsLow(bare[at + 1]) ? 2 : 1;
    const std::wstring_view c = bare.substr(at, length);
    at += length;
    Check(c[0] >= 0x20 && !(c[0] >= 0x7F && c[0] <= 0x9F) && std::wstring_view(L"\\/:*?\"<>|").find(c[0]) == c.npos);
    Check(!(length == 1 && (IsHigh(c[0]) || IsLow(c[0]))));
    Check(canHold(c));
  }
  Check(text::ShortcutFileName(bare, url, canHold) == name);
  Check(text::ShortcutFileName(bare, "", canHold) == name);
}

void CheckNumbered(std::wstring_view bare, int attempt) {
  const std::wstring name = text::NumberedShortcutName(bare, attempt);
  Check(name.starts_with(bare) && text::IsShortcutName(name));
  Check(name != text::NumberedShortcutName(bare, attempt + 1));
}

// A dropped shortcut's kept name is a shortcut's name that the code page holds whole.
void CheckKept(std::wstring_view dropped, text::CharacterTest canHold) {
  if (!text::IsShortcutName(dropped)) return;
  const std::wstring kept = text::KeptShortcutName(dropped, canHold);
  Check(kept.ends_with(L".url") && text::KeptShortcutName(kept, canHold) == kept);
  for (size_t at = 0; at + 4 < kept.size(); ++at) {
    const size_t length = IsHigh(kept[at]) && IsLow(kept[at + 1]) ? 2 : 1;
    Check(canHold(std::wstring_view(kept).substr(at, length)));
    at += length - 1;
  }
}

}  // namespace

// The first byte picks the code page and the try, the second how many bytes
// of URL follow; the rest is the title in UTF-16.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const text::CharacterTest canHold = kCodePages[data[0] % 3];
  const size_t urlSize = std::min<size_t>(data[1], size - 2);
  const std::string_view url(reinterpret_cast<const char*>(data + 2), urlSize);
  std::wstring title;
  for (size_t i = 2 + urlSize; i + 1 < size; i += 2) title += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  CheckName(title, url, canHold);
  CheckKept(title, canHold);
  CheckNumbered(title, data[0] / 3 + 1);
  return 0;
}
