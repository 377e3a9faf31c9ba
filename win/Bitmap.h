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

}  // namespace win
