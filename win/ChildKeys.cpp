#include "win/ChildKeys.h"

#include <commctrl.h>

#include "win/Messages.h"

namespace win {
namespace {

LRESULT CALLBACK AskParent(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) noexcept {
  switch (message) {
    case WM_CONTEXTMENU:
      // A right click keeps the control's own menu.
      if (lParam != -1) break;
      [[fallthrough]];
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
      if (SendMessageW(GetParent(control), kControlKeyMessage, wParam, message)) return 0;
      break;
    case WM_NCDESTROY: RemoveWindowSubclass(control, AskParent, 0); break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void PassKeysToParent(HWND control) { SetWindowSubclass(control, AskParent, 0, 0); }

}  // namespace win
