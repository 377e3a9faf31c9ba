#pragma once
// Pictures in any format the system's codecs read (PNG, ICO, GIF, JPEG,
// BMP), decoded from memory.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "win/Handles.h"

namespace win {

// The picture's largest image (of an icon, the largest it holds) as a 32-bit
// bitmap with alpha of `size` pixels a side, scaled smoothly to fit and
// centred, as image lists take it; null when the bytes cannot be decoded whole.
BitmapHandle PictureBitmap(std::span<const std::uint8_t> bytes, int size);

// The largest image's pixels: 32-bit BGRA, alpha not premultiplied, rows
// top-down, at its own size or scaled smoothly to fit `maxSide`; nothing
// when the bytes cannot be decoded whole.
struct Pixels {
  std::vector<std::uint8_t> bgra;
  std::uint32_t width = 0, height = 0;
};
std::optional<Pixels> DecodePicture(std::span<const std::uint8_t> bytes, std::uint32_t maxSide);
// The same of the large icon (32 pixels) at `index` in a program or library
// file; nothing when it has none there.
std::optional<Pixels> ProgramIcon(const std::wstring& file, int index);

}  // namespace win
