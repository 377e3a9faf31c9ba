#pragma once
// Makes this thread's windows of one class fail to be made, as a system short
// of window resources would, for as long as it lives.
#include <windows.h>

#include <cwchar>

namespace tamaroo_test {

class RefuseWindows {
 public:
  explicit RefuseWindows(const wchar_t* className) {
    Refused() = className;
    hook_ = SetWindowsHookExW(WH_CBT, Refuse, nullptr, GetCurrentThreadId());
  }
  ~RefuseWindows() {
    UnhookWindowsHookEx(hook_);
    Refused() = nullptr;
  }
  RefuseWindows(const RefuseWindows&) = delete;
  RefuseWindows& operator=(const RefuseWindows&) = delete;

 private:
  static const wchar_t*& Refused() {
    static const wchar_t* name = nullptr;
    return name;
  }
  static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t name[64] = L"";
    if (code == HCBT_CREATEWND) GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
    if (Refused() && _wcsicmp(name, Refused()) == 0) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  HHOOK hook_;
};

}  // namespace tamaroo_test
