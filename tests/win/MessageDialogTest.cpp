#include "win/MessageDialog.h"

#include <gtest/gtest.h>

#include "win/Application.h"
#include "win/Failure.h"

namespace {

// Refuses to make buttons, as the system does when it runs out of window resources.
LRESULT CALLBACK RefuseButtons(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const wchar_t* name = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszClass;
    if (!IS_INTRESOURCE(name) && _wcsicmp(name, L"BUTTON") == 0) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MessageDialog, APartThatCannotBeMadeFailsAndLeavesNoDialog) {
  win::Application app{L"Tamaroo", L"MAINICON"};
  const HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseButtons, nullptr, GetCurrentThreadId());
  EXPECT_THROW(win::MessageDialog(L"c", "text", nullptr), win::Failure);
  UnhookWindowsHookEx(hook);
  EXPECT_FALSE(FindWindowW(L"TMessageForm", nullptr));
}

}  // namespace
