#pragma once
// How long the real program's menu takes to open.
#include <windows.h>

#include "Stopwatch.h"
#include "TamarooProcess.h"

namespace bench {

// Seconds from the request (the menu key on the face) until the menu shows;
// `whileOpen` runs before it is closed again.
template <typename WhileOpen>
double OpenMenu(HWND main, WhileOpen whileOpen) {
  constexpr int kPatienceSeconds = 60;
  HWND menu = nullptr;
  const double seconds = Seconds([&] {
    PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main), MAKELPARAM(-1, -1));
    menu = tamaroo_test::WaitForShown(L"#32768", true, kPatienceSeconds);
  });
  whileOpen();
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  tamaroo_test::WaitForShown(L"#32768", false, kPatienceSeconds);
  return seconds;
}

inline double OpenMenu(HWND main) {
  return OpenMenu(main, [] {});
}

}  // namespace bench
