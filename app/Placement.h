#pragma once
// Where the main window goes when no usable position is stored.
#include <windows.h>

#include "text/Layout.h"

namespace app {

using text::CentredOrigin;

// The screen rectangle of a window of `size` at (left, top). Edges beyond the
// coordinate range stop at its end instead of wrapping round: a stored
// position may be any 32-bit value.
RECT BoundsAt(int left, int top, SIZE size);

// True when some part of the rectangle lies on a monitor.
bool IsOnAnyMonitor(const RECT& bounds);

}  // namespace app
