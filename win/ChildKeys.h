#pragma once
// Keys that a control's parent takes before the control does: the keys of a
// list that the user moves through from an edit box, say.
#include <windows.h>

namespace win {

// From now on the control asks its parent with kControlKeyMessage before it
// takes a key, a character or a context menu from the keyboard.
void PassKeysToParent(HWND control);

}  // namespace win
