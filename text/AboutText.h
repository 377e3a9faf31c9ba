#pragma once
// The About box's text and the plain-text form of a message dialog that its
// copy key puts on the clipboard.
#include <string>
#include <string_view>

namespace text {

// The title, a blank line, the copyright line and "All rights reserved.",
// each line break the pair LF CR (bytes of the system code page).
std::string AboutText(std::string_view title);

// The caption, the message (its line breaks unchanged) and the button caption
// with three spaces, each block between lines of 27 dashes, lines ending in CR LF.
std::string CopyBlock(std::string_view caption, std::string_view message, std::string_view button);
std::wstring CopyBlock(std::wstring_view caption, std::wstring_view message, std::wstring_view button);

}  // namespace text
