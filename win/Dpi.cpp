#include "win/Dpi.h"

#include "text/Layout.h"

namespace win {
namespace {

// Windows 10's per-monitor calls (user32) and Windows 8.1's monitor DPI
// (shcore), or null where the system lacks them.
struct PerMonitorCalls {
  UINT(WINAPI* dpiForSystem)();
  UINT(WINAPI* dpiForWindow)(HWND);
  int(WINAPI* metricsForDpi)(int, UINT);
  BOOL(WINAPI* adjustForDpi)(RECT*, DWORD, BOOL, DWORD, UINT);
  BOOL(WINAPI* parametersForDpi)(UINT, UINT, void*, UINT, UINT);
  HRESULT(WINAPI* dpiForMonitor)(HMONITOR, int, UINT*, UINT*);
};

template <typename Function>
void Find(Function& function, HMODULE module, const char* name) {
  function = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

const PerMonitorCalls& Calls() {
  static const Owned<HMODULE, FreeLibrary> shcore(LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  static const PerMonitorCalls calls = [] {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    PerMonitorCalls found{};
    Find(found.dpiForSystem, user32, "GetDpiForSystem");
    Find(found.dpiForWindow, user32, "GetDpiForWindow");
    Find(found.metricsForDpi, user32, "GetSystemMetricsForDpi");
    Find(found.adjustForDpi, user32, "AdjustWindowRectExForDpi");
    Find(found.parametersForDpi, user32, "SystemParametersInfoForDpi");
    Find(found.dpiForMonitor, shcore.get(), "GetDpiForMonitor");
    return found;
  }();
  return calls;
}

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

UINT SystemDpi() {
  if (Calls().dpiForSystem) return Calls().dpiForSystem();
  const WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
  return dpi > 0 ? dpi : text::kBaseDpi;
}

UINT WindowDpi(HWND window) {
  // Zero for a window that is gone.
  const UINT dpi = Calls().dpiForWindow ? Calls().dpiForWindow(window) : 0;
  return dpi ? dpi : SystemDpi();
}

UINT MonitorDpi(HMONITOR monitor) {
  UINT x = 0, y = 0;
  if (Calls().dpiForMonitor && SUCCEEDED(Calls().dpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y) return y;
  return SystemDpi();
}

UINT PrimaryMonitorDpi() { return MonitorDpi(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)); }

int MetricForDpi(int index, UINT dpi) {
  if (Calls().metricsForDpi) return Calls().metricsForDpi(index, dpi);
  return text::ScaleForDpi(GetSystemMetrics(index), dpi, SystemDpi());
}

void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
  if (!Calls().adjustForDpi || !Calls().adjustForDpi(&rect, style, FALSE, exStyle, dpi)) {
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
}

FontHandle MessageBoxFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (Calls().parametersForDpi && Calls().parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    return FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
  }
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  // The system's font is for the system's DPI.
  metrics.lfMessageFont.lfHeight = text::ScaleForDpi(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
  return FontHandle(CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace win
