#pragma once
// Where windows stand in the z-order, walked front to back (Wine can leave a
// window's topmost flag set where its place says otherwise).
#include <windows.h>

namespace tamaroo_test {

// True if `front` comes before `back` in the z-order.
inline bool InFront(HWND front, HWND back) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == front) return true;
    if (w == back) return false;
  }
  return false;
}

}  // namespace tamaroo_test
