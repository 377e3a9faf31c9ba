#pragma once
// Conversions at the edge between the program's texts (UTF-8 in the source,
// wide on screen) and file names (ANSI bytes of the system code page).
#include <string>
#include <string_view>

namespace win {

std::wstring FromUtf8(std::u8string_view text);
std::wstring FromAnsi(std::string_view text);
std::string ToAnsi(std::wstring_view text);
std::string ToUtf8(std::wstring_view text);
// Whether one character (a UTF-16 unit or a surrogate pair) comes back
// unchanged from the system code page: no "?" and no look-alike such as the
// yen sign that code page 932 turns into '\'.
bool CanHoldInAnsi(std::wstring_view character);
// An ANSI path for the wide file calls, in the "\\?\" form past MAX_PATH.
std::wstring WidePath(std::string_view ansiPath);
// The system code page's lead-byte test, in the form the path helpers take.
bool IsAnsiLeadByte(unsigned char byte);

}  // namespace win
