#include "text/Layout.h"

#include <algorithm>

namespace text {
namespace {

// factor * value / divisor, rounded to the nearest integer, halves away from zero.
int Scaled(int factor, int value, int divisor) {
  const long long product = static_cast<long long>(factor) * value;
  const long long half = divisor / 2;
  return static_cast<int>((product >= 0 ? product + half : product - half) / divisor);
}

}  // namespace

int ScaleForDpi(int length, int dpi, int fromDpi) { return Scaled(length, dpi, fromDpi); }

int MenuArtSize(int slot) {
  int size = kMenuArtSizes[0];
  for (const int art : kMenuArtSizes) {
    if (art <= slot) size = art;
  }
  return size;
}

DialogLayout LayOutMessageDialog(const DialogMeasure& m) {
  const int marginX = Scaled(8, m.charWidth, 4);
  const int marginY = Scaled(8, m.charHeight, 8);
  const int spacingX = Scaled(10, m.charWidth, 4);
  const int spacingY = Scaled(10, m.charHeight, 8);
  const int buttonWidth = std::max(Scaled(50, m.charWidth, 4), m.buttonTextWidth + ScaleForDpi(8, m.dpi));
  const int buttonHeight = Scaled(14, m.charHeight, 8);
  const int blockWidth = m.textWidth + m.iconSize + spacingX;
  const int blockHeight = std::max(m.textHeight, m.iconSize);

  DialogLayout layout{};
  layout.clientWidth = std::max(blockWidth, buttonWidth) + 2 * marginX;
  layout.clientHeight = blockHeight + buttonHeight + spacingY + 2 * marginY;
  layout.icon = {marginX, marginY, m.iconSize, m.iconSize};
  layout.text = {marginX + m.iconSize + spacingX, marginY, m.textWidth, m.textHeight};
  layout.button = {(layout.clientWidth - buttonWidth) / 2, blockHeight + marginY + spacingY, buttonWidth, buttonHeight};
  return layout;
}

}  // namespace text
