#pragma once
// Conversions at the edge between the program's texts (UTF-8 in the source,
// wide on screen) and file names (ANSI bytes of the system code page).
#include <string>
#include <string_view>

namespace win {

std::wstring FromUtf8(std::u8string_view text);
std::wstring FromAnsi(std::string_view text);
std::string ToAnsi(std::wstring_view text);
// The system code page's lead-byte test, in the form the path helpers take.
bool IsAnsiLeadByte(unsigned char byte);

}  // namespace win
