#include "app/Placement.h"

#include <algorithm>
#include <cstdint>

#include "app/SettingsFile.h"

namespace app {
namespace {

constexpr char kSection[] = "General";

RECT WindowRect(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return r;
}

LONG Edge(std::int64_t origin, std::int64_t extent) {
  return static_cast<LONG>(std::clamp<std::int64_t>(origin + extent, INT32_MIN, INT32_MAX));
}

}  // namespace

RECT BoundsAt(int left, int top, SIZE size) { return {left, top, Edge(left, size.cx), Edge(top, size.cy)}; }

bool IsOnAnyMonitor(const RECT& bounds) { return MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) != nullptr; }

void RestorePosition(HWND window, const std::string& settingsFile) {
  const RECT bounds = WindowRect(window);
  const SIZE size{bounds.right - bounds.left, bounds.bottom - bounds.top};
  const int defaultLeft = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), size.cx);
  const int defaultTop = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), size.cy);
  const SettingsFile settings(settingsFile);
  int left = settings.ReadInteger(kSection, "Left", defaultLeft);
  int top = settings.ReadInteger(kSection, "Top", defaultTop);
  // A position off every monitor would leave the user no way to reach the window.
  if (!IsOnAnyMonitor(BoundsAt(left, top, size))) {
    left = defaultLeft;
    top = defaultTop;
  }
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WritePosition(HWND window, const std::string& settingsFile) {
  const RECT r = WindowRect(window);
  SettingsFile settings(settingsFile);
  settings.WriteValues(kSection, {{"Left", std::to_string(r.left)}, {"Top", std::to_string(r.top)}});
}

}  // namespace app
