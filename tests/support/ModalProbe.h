#pragma once
// Looks inside a modal loop (a menu, a message box) of this thread: `probe`
// runs from a timer while `start` is blocked in the loop, and must end it.
#include <windows.h>

#include <functional>

namespace tamaroo_test {

inline std::function<void()>& PendingProbe() {
  static std::function<void()> probe;
  return probe;
}

inline void RunWithProbe(const std::function<void()>& start, std::function<void()> probe) {
  PendingProbe() = std::move(probe);
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR, DWORD) {
    if (auto probe = std::exchange(PendingProbe(), nullptr)) probe();
  });
  start();
  KillTimer(nullptr, timer);
  PendingProbe() = nullptr;
}

// The visible window of this class that belongs to this thread, or null.
inline HWND ThreadWindow(const wchar_t* className) {
  struct Search {
    const wchar_t* name;
    HWND found;
  } search{className, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM param) {
        auto& s = *reinterpret_cast<Search*>(param);
        wchar_t name[64];
        GetClassNameW(hwnd, name, 64);
        if (IsWindowVisible(hwnd) && wcscmp(name, s.name) == 0) s.found = hwnd;
        return s.found ? FALSE : TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace tamaroo_test
