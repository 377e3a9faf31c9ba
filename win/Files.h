#pragma once
// Reading a file whole, by the name the file system gives, however long its path.
#include <optional>
#include <string>

namespace win {

// The file's bytes; nothing when it cannot be opened, is larger than
// `most`, or cannot be read to its end. Others may go on writing or
// removing it meanwhile.
std::optional<std::string> ReadWholeFile(const std::wstring& path, long long most);

}  // namespace win
