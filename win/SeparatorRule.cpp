#include "win/SeparatorRule.h"

namespace win {

void TidySeparators(std::span<MenuLine> lines) {
  bool entrySeen = false;
  MenuLine* pending = nullptr;  // the separator that shows if an entry follows
  for (MenuLine& line : lines) {
    if (line.separator) {
      line.visible = false;
      if (entrySeen) pending = &line;
    } else if (line.visible) {
      if (pending) pending->visible = true;
      pending = nullptr;
      entrySeen = true;
    }
  }
}

}  // namespace win
