#include "text/LongPath.h"

namespace text {
namespace {

// Folders are limited to MAX_PATH - 12 (room for an 8.3 name) with the NUL.
constexpr size_t kLongestPlainPath = 247;

}  // namespace

std::wstring VerbatimPath(std::wstring path) {
  if (path.starts_with(L"\\\\?\\")) return path;
  if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
  const bool drive = path.size() > 2 && path[1] == L':' && path[2] == L'\\';
  return drive ? L"\\\\?\\" + path : path;
}

std::wstring ExtendedLengthPath(std::wstring path) {
  return path.size() <= kLongestPlainPath ? path : VerbatimPath(std::move(path));
}

}  // namespace text
