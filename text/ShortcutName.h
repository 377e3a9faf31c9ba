#pragma once
// Names of stored shortcuts.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/AnsiPath.h"
#include "text/InternetShortcut.h"

namespace text {

// Whether the system code page holds this one character (one UTF-16 unit, or
// a surrogate pair).
using CharacterTest = bool (*)(std::wstring_view character);

// Characters a made name keeps before ".url".
constexpr size_t kMaxShortcutNameLength = 100;

// Whether an ANSI name is a shortcut's: its extension is exactly ".url".
bool IsShortcutName(std::string_view name, LeadByteTest isLead);
// The same for a name as the file system has it, once the dots and spaces
// that Windows drops at the end of a name are gone ("a.url." is "a.url").
bool IsShortcutName(std::wstring_view fileName);

// The file name a dropped link is stored under: the title with the characters
// file names cannot hold made "_" (control characters a space), without
// spaces and dots at its ends, at most kMaxShortcutNameLength characters, no
// device name such as "CON", then ".url". A title that keeps nothing of its
// own gives way to the URL's host. Made again from its result, the name stays.
std::wstring ShortcutFileName(std::wstring_view title, std::string_view url, CharacterTest canHold);

// The name a dropped shortcut is kept under: its own (without the dots and
// spaces at its end) when the code page holds every character of it, since
// the menu and the folder search see names in the code page; otherwise the
// name that a link with it as title would get.
std::wstring KeptShortcutName(std::wstring_view fileName, CharacterTest canHold);

// Whether a file may be a browser's bookmark file: ".html" or ".htm" in any case.
bool IsBookmarkFileName(std::wstring_view fileName);

// Whether a drop brings a bookmark: a shortcut or a bookmark file among its
// files, or a link (as offered, not yet checked) that is a web link.
bool BringsBookmarks(const std::vector<std::wstring>& files, const std::optional<WebLink>& link);

// A shortcut's file name without its ".url": the one place that cuts it.
std::wstring_view BareShortcutName(std::wstring_view fileName);

// "<bare>.url" for the first try, "<bare> (2).url", "<bare> (3).url"... after.
std::wstring NumberedShortcutName(std::wstring_view bare, int attempt);

}  // namespace text
