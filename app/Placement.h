#pragma once
// Where the main window goes: the position stored in the settings file, or
// the screen's centre when none is usable.
#include <windows.h>

#include <string>

#include "text/Layout.h"

namespace app {

using text::CentredOrigin;

// The screen rectangle of a window of `size` at (left, top). Edges beyond the
// coordinate range stop at its end instead of wrapping round: a stored
// position may be any 32-bit value.
RECT BoundsAt(int left, int top, SIZE size);

// True when some part of the rectangle lies on a monitor.
bool IsOnAnyMonitor(const RECT& bounds);

// Moves the window where the settings file says, or to the screen's centre.
void RestorePosition(HWND window, const std::string& settingsFile);
// Throws Failure "<file> に書き込めません" when the settings file cannot be written.
void WritePosition(HWND window, const std::string& settingsFile);

}  // namespace app
