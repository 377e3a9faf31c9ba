#include "app/Placement.h"

namespace app {

bool IsOnAnyMonitor(const RECT& bounds) {
  return MonitorFromRect(&bounds, MONITOR_DEFAULTTONULL) != nullptr;
}

}  // namespace app
