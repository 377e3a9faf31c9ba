#pragma once
// Which separator lines of a menu level are shown: none before the first or
// after the last visible entry, and only the last of several in a row.
#include <span>

namespace win {

struct MenuLine {
  bool separator;
  bool visible;  // an entry's own setting; decided here for separators
};

void TidySeparators(std::span<MenuLine> lines);

}  // namespace win
