#pragma once
// Layout arithmetic of the program's windows, in pixels.

namespace text {

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
};

struct DialogLayout {
  int clientWidth, clientHeight;
  Box icon, text, button;
  bool operator==(const DialogLayout&) const = default;
};

// A 32 x 32 icon at the top left, the message beside it, one button centred
// below both; margins and spacing scale with the font (rounded as MulDiv does).
DialogLayout LayOutMessageDialog(const DialogMeasure& measure);

}  // namespace text
