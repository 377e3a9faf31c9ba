#pragma once
// Splitting ANSI paths. Paths are byte strings of the system code page; the
// second byte of a double-byte character is never taken for a delimiter
// (in Shift-JIS, "\x95\x5C" is one character whose trail byte looks like '\').
#include <string>
#include <string_view>

namespace text {

using LeadByteTest = bool (*)(unsigned char);

// Position of the last byte of `path` that is one of `delimiters` and starts a
// character, or npos.
size_t LastDelimiter(std::string_view path, std::string_view delimiters, LeadByteTest isLead);

// Up to and including the last '\' or ':' ("" when there is none).
std::string FolderOf(std::string_view path, LeadByteTest isLead);
// After the last '\' or ':'.
std::string FileNameOf(std::string_view path, LeadByteTest isLead);
// From the last '.' that no '\' or ':' follows, dot included; else "".
std::string ExtensionOf(std::string_view path, LeadByteTest isLead);
// The file name without its extension.
std::string BareNameOf(std::string_view path, LeadByteTest isLead);

}  // namespace text
