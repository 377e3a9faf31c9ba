#pragma once
// Names of stored shortcuts.
#include <string>
#include <string_view>

#include "text/AnsiPath.h"

namespace text {

// Whether the system code page holds this one character (one UTF-16 unit, or
// a surrogate pair).
using CharacterTest = bool (*)(std::wstring_view character);

// Characters a made name keeps before ".url".
constexpr size_t kMaxShortcutNameLength = 100;

// Whether an ANSI name is a shortcut's: its extension is exactly ".url".
bool IsShortcutName(std::string_view name, LeadByteTest isLead);

// The file name a dropped link is stored under: the title with the characters
// file names cannot hold made "_" (control characters a space), without
// spaces and dots at its ends, at most kMaxShortcutNameLength characters, no
// device name such as "CON", then ".url". A title that keeps nothing of its
// own gives way to the URL's host. Made again from its result, the name stays.
std::wstring ShortcutFileName(std::wstring_view title, std::string_view url, CharacterTest canHold);

// "<bare>.url" for the first try, "<bare> (2).url", "<bare> (3).url"... after.
std::string NumberedShortcutName(std::string_view bare, int attempt);

}  // namespace text
