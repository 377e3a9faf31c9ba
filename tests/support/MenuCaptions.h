#pragma once
// What a system menu shows, read back entry by entry.
#include <windows.h>

#include <string>
#include <vector>

namespace tamaroo_test {

// The captions of the menu's entries, separators as "-".
inline std::vector<std::wstring> MenuCaptions(HMENU menu) {
  std::vector<std::wstring> captions;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = L"";
    GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    captions.push_back(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR ? L"-" : text);
  }
  return captions;
}

}  // namespace tamaroo_test
