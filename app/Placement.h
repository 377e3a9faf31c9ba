#pragma once
// Where the main window goes when no usable position is stored.
#include <windows.h>

#include "text/Layout.h"

namespace app {

using text::CentredOrigin;

// True when some part of the rectangle lies on a monitor.
bool IsOnAnyMonitor(const RECT& bounds);

}  // namespace app
