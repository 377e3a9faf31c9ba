#include "text/LongPath.h"

namespace text {
namespace {

// Folders are limited to MAX_PATH - 12 (room for an 8.3 name) with the NUL.
constexpr size_t kLongestPlainPath = 247;

}  // namespace

std::wstring ExtendedLengthPath(std::wstring path) {
  if (path.size() <= kLongestPlainPath || path.starts_with(L"\\\\?\\")) return path;
  if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
  const bool drive = path.size() > 2 && path[1] == L':' && path[2] == L'\\';
  return drive ? L"\\\\?\\" + path : path;
}

}  // namespace text
