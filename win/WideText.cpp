#include "win/WideText.h"

#include <windows.h>

namespace win {
namespace {

std::wstring Convert(UINT codePage, const char* bytes, size_t size) {
  if (size == 0) return {};
  const int length = MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(size), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(size), wide.data(), length);
  return wide;
}

}  // namespace

std::wstring FromUtf8(std::u8string_view text) {
  return Convert(CP_UTF8, reinterpret_cast<const char*>(text.data()), text.size());
}

std::wstring FromAnsi(std::string_view text) { return Convert(CP_ACP, text.data(), text.size()); }

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace win
