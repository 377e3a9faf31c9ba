#pragma once
// The program's private window messages, listed once so that no two share a number.
#include <windows.h>

namespace win {

enum PrivateMessage : UINT {
  // To the application window: shows a failure posted for later; lParam
  // owns a heap-allocated std::wstring.
  kShowFailureMessage = WM_APP,
  // To the main window: stores what drops brought, once the drop has returned.
  kStoreDropsMessage,
  // To a menu's owner, from inside the open menu: wParam a command asked of
  // the entry whose command is lParam.
  kEntryCommandMessage,
  // To a control's parent, from the control (PassKeysToParent), before the
  // control takes a key: wParam the key or character, lParam the message
  // (WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR, or WM_CONTEXTMENU from the keyboard);
  // nonzero when the parent took it.
  kControlKeyMessage,
};

}  // namespace win
