#pragma once
// Layout arithmetic of the program's windows, in pixels.

namespace text {

// The DPI that lengths are given for: 100 %.
constexpr int kBaseDpi = 96;

// A length at `fromDpi` (96 unless said) at `dpi`, rounded as MulDiv rounds:
// halves away from zero, so a font height of -13 at 150 % is -20.
int ScaleForDpi(int length, int dpi, int fromDpi = kBaseDpi);

// The sizes the menu pictures are drawn at (the small-icon sizes from 100 to
// 200 %), and the one for a slot of `slot` pixels: the largest that fits,
// else the smallest. A picture is never stretched, so between sizes (at
// 175 %) it is drawn a little smaller than the slot.
inline constexpr int kMenuArtSizes[] = {16, 20, 24, 32};
int MenuArtSize(int slot);

// Each half is truncated on its own: a 1366-pixel screen and a 205-pixel
// window give 683 - 102 = 581.
constexpr int CentredOrigin(int screenExtent, int windowExtent) { return screenExtent / 2 - windowExtent / 2; }

struct Box {
  int left, top, width, height;
  bool operator==(const Box&) const = default;
};

// What a message dialog's parts measure in its font.
struct DialogMeasure {
  int charWidth;   // the letters "A" to "Z" and "a" to "z" drawn, over 52
  int charHeight;  // the height of those letters
  int textWidth;   // the message as drawn, wrapped
  int textHeight;
  int buttonTextWidth;  // the button's caption as drawn
  int iconSize;         // the icon's side as drawn
  int dpi;              // of the monitor the dialog opens on
};

struct DialogLayout {
  int clientWidth, clientHeight;
  Box icon, text, button;
  bool operator==(const DialogLayout&) const = default;
};

// The icon at the top left, the message beside it, one button centred below
// both; margins and spacing scale with the font (rounded as MulDiv does).
DialogLayout LayOutMessageDialog(const DialogMeasure& measure);

}  // namespace text
