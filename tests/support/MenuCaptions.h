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
    // An entry with a sub-menu has the sub-menu's count in the state's high byte.
    const bool line = !GetSubMenu(menu, i) && GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR;
    captions.push_back(line ? L"-" : text);
  }
  return captions;
}

}  // namespace tamaroo_test
