#pragma once
// Bitmap files built byte by byte, to feed the loader good and broken ones.
#include <array>
#include <cstdint>
#include <vector>

namespace bmp_samples {

struct Shape {
  std::uint32_t headerSize = 40;
  std::int32_t width = 4;
  std::int32_t height = 2;
  std::uint16_t planes = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t imageSize = 0;
  // Red, green and blue of a 40-byte header with bit fields; none: 5-6-5 or 8-8-8.
  std::array<std::uint32_t, 3> masks{};
};

inline void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A whole file: headers, a grey colour table where the depth needs one, and
// `pixelBytes` bytes of pixels (the exact amount the shape needs when -1).
inline std::vector<std::uint8_t> Make(const Shape& s, long pixelBytes = -1) {
  const bool core = s.headerSize == 12;
  const std::uint32_t colors = s.bits <= 8 ? (s.colorsUsed ? s.colorsUsed : 1u << s.bits) : s.colorsUsed;
  const std::uint32_t entry = core ? 3 : 4;
  const std::uint32_t masks = (s.compression == 3 && s.headerSize == 40) ? 12 : 0;
  const std::uint32_t offBits = 14 + s.headerSize + masks + colors * entry;
  const std::uint32_t stride = ((static_cast<std::uint32_t>(s.width) * s.bits + 31) / 32) * 4;
  const auto height = static_cast<std::uint32_t>(s.height);
  const std::uint32_t rows = s.height < 0 ? 0u - height : height;
  if (pixelBytes < 0) pixelBytes = s.imageSize ? s.imageSize : stride * rows;

  std::vector<std::uint8_t> out{'B', 'M'};
  Put(out, offBits + static_cast<std::uint32_t>(pixelBytes), 4);
  Put(out, 0, 4);
  Put(out, offBits, 4);
  Put(out, s.headerSize, 4);
  if (core) {
    Put(out, static_cast<std::uint32_t>(s.width), 2);
    Put(out, static_cast<std::uint32_t>(s.height), 2);
    Put(out, s.planes, 2);
    Put(out, s.bits, 2);
  } else {
    Put(out, static_cast<std::uint32_t>(s.width), 4);
    Put(out, static_cast<std::uint32_t>(s.height), 4);
    Put(out, s.planes, 2);
    Put(out, s.bits, 2);
    Put(out, s.compression, 4);
    Put(out, s.imageSize, 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, s.colorsUsed, 4);
    Put(out, 0, 4);
    for (std::uint32_t i = 40; i < s.headerSize; ++i) out.push_back(0);
  }
  if (masks) {
    const std::array<std::uint32_t, 3> standard = s.bits == 16
                                                      ? std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F}
                                                      : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    for (const std::uint32_t mask : s.masks[0] ? s.masks : standard) Put(out, mask, 4);
  }
  for (std::uint32_t i = 0; i < colors; ++i) {
    const auto grey = static_cast<std::uint8_t>(i * 255 / (colors > 1 ? colors - 1 : 1));
    for (std::uint32_t b = 0; b < entry; ++b) out.push_back(b < 3 ? grey : 0);
  }
  for (long i = 0; i < pixelBytes; ++i) out.push_back(static_cast<std::uint8_t>(i * 7));
  return out;
}

// An RLE8 picture of one run, then end of bitmap; the header may claim more rows.
inline std::vector<std::uint8_t> MakeRle8(std::int32_t width, std::int32_t height = 1) {
  Shape s{.width = width, .height = height, .bits = 8, .compression = 1, .imageSize = 4};
  std::vector<std::uint8_t> file = Make(s, 0);
  file.insert(file.end(), {static_cast<std::uint8_t>(width), 5, 0, 1});
  return file;
}

}  // namespace bmp_samples
