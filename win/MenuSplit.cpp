#include "win/MenuSplit.h"

#include <algorithm>

namespace win {

// The menu window's own frame and padding, above and below its entries.
constexpr int kMenuFrame = 16;

size_t EntriesThatFit(int screenHeight, int entryHeight) {
  if (entryHeight <= 0) return 2;
  return static_cast<size_t>(std::max(2, (screenHeight - kMenuFrame) / entryHeight));
}

size_t OverflowGroupSize(size_t count, size_t fit) {
  size_t size = 1;
  while (count / fit > size || (count / fit == size && count % fit)) size *= fit;
  return size;
}

}  // namespace win
