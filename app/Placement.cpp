#include "app/Placement.h"

#include <algorithm>
#include <cstdint>

namespace app {
namespace {

LONG Edge(std::int64_t origin, std::int64_t extent) {
  return static_cast<LONG>(std::clamp<std::int64_t>(origin + extent, INT32_MIN, INT32_MAX));
}

}  // namespace

RECT BoundsAt(int left, int top, SIZE size) { return {left, top, Edge(left, size.cx), Edge(top, size.cy)}; }

bool IsOnAnyMonitor(const RECT& bounds) { return MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) != nullptr; }

}  // namespace app
