#pragma once
// The text a failure box shows.
#include <initializer_list>
#include <string>
#include <string_view>

namespace text {

// Appends "." unless the text is empty or already ends in a character at or
// below '.' (a full stop, a space, a line break...).
std::wstring WithFinalDot(std::wstring text);

// Drops the white space (characters up to ' ') and dots at the end, as the
// system ends its error texts with ".\r\n" that would keep the final dot off.
std::wstring WithoutTrailingBlanksAndDots(std::wstring text);

// Replaces the "%s" and "%d" markers of `pattern`, in order, with `values`.
std::wstring Format(std::wstring_view pattern, std::initializer_list<std::wstring_view> values);

}  // namespace text
