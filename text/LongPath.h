#pragma once
// Paths past the classic length limit.
#include <string>

namespace text {

// A full path as the wide file calls take it past MAX_PATH: "\\?\C:\..." or
// "\\?\UNC\server\...". Shorter and relative paths stay as they are.
std::wstring ExtendedLengthPath(std::wstring path);
// The same form for any full path, so that a name ending in dots or spaces
// (made on Linux) is taken as it is instead of being trimmed.
std::wstring VerbatimPath(std::wstring path);

}  // namespace text
