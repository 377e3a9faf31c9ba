#pragma once
// The DPI of the screens the program's windows are on. The per-monitor calls
// are looked up at run time: where the system lacks them (before Windows 10,
// or Wine where it does) everything is at the system DPI.
#include <windows.h>

#include "win/Handles.h"

namespace win {

// The DPI the system draws at (96 is 100 %).
UINT SystemDpi();
// The DPI of the monitor the window is on, as the window sees it.
UINT WindowDpi(HWND window);
UINT MonitorDpi(HMONITOR monitor);
// The monitor that SM_CXSCREEN measures, where the dialogs open.
UINT PrimaryMonitorDpi();

// GetSystemMetrics at this DPI.
int MetricForDpi(int index, UINT dpi);
// The window rectangle around this client rectangle, frames as drawn at this DPI.
void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);
// The system's message-box font at this DPI; null when the system gives none.
FontHandle MessageBoxFont(UINT dpi);

}  // namespace win
