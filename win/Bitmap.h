#pragma once
// A picture held with the memory device context it is drawn from.
#include <string>

#include "win/Handles.h"

namespace win {

class Bitmap {
 public:
  // Reads a Windows bitmap file (a relative name is taken from the current
  // folder). A file of no bytes gives an empty picture. Throws Failure with
  // the text the user is shown.
  void LoadFromFile(const std::string& fileName);
  void Release();

  bool Empty() const { return !dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Copies the whole picture 1:1 to the origin of `target`.
  void Draw(HDC target) const;

 private:
  // Declared in this order so the context goes first and the bitmap after it.
  BitmapHandle bitmap_;
  DcHandle dc_;
  int width_ = 0;
  int height_ = 0;
};

// The square pictures of a bitmap resource of `module` drawn at each size of
// text::kMenuArtSizes and named `prefix` and the size, side by side, magenta
// transparent: an image list of those at the largest size that fits a slot
// of `slot` pixels (the menu's small-icon size). Null when there is none.
ImageListHandle LoadPictures(HMODULE module, const std::wstring& prefix, int slot);
// Appends the icon resource `name`, drawn at the list's size; its index, or
// -1 when the list refuses it.
int AppendIcon(HIMAGELIST pictures, HMODULE module, const wchar_t* name);

}  // namespace win
