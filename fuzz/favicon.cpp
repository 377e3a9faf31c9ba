// A picture taken from a data URL is one the inspection takes; a PNG taken
// goes into an icon file and a data URL and comes back out the same; and a
// PNG made of any pixels is one a decoder reads those pixels back from.
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "image/Favicon.h"

namespace {

using Bytes = std::span<const std::uint8_t>;
using image::PictureFormat;

void Check(bool ok) {
  if (!ok) std::abort();
}

bool Equal(Bytes a, Bytes b) { return std::ranges::equal(a, b); }

// The rows a PNG of PngOfPixels holds, read out of its stored deflate blocks.
std::vector<std::uint8_t> StoredRows(Bytes png) {
  const std::size_t idat = 33;
  Check(std::ranges::equal(png.subspan(idat + 4, 4), std::string_view("IDAT")));
  const Bytes zlib = png.subspan(idat + 8, png[idat] << 24 | png[idat + 1] << 16 | png[idat + 2] << 8 | png[idat + 3]);
  Check(zlib[0] == 0x78 && (zlib[0] << 8 | zlib[1]) % 31 == 0);
  std::vector<std::uint8_t> rows;
  bool last = false;
  for (std::size_t at = 2; !last;) {
    Check(at + 5 <= zlib.size() && (zlib[at] & ~1) == 0);
    last = zlib[at] == 1;
    const std::uint32_t length = zlib[at + 1] | zlib[at + 2] << 8;
    Check((length ^ (zlib[at + 3] | zlib[at + 4] << 8)) == 0xFFFF && at + 5 + length <= zlib.size());
    const Bytes block = zlib.subspan(at + 5, length);
    rows.insert(rows.end(), block.begin(), block.end());
    at += 5 + length;
    Check(!last || at + 4 == zlib.size());
  }
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes bytes(data, size);
  if (const auto picture = image::ReadPictureDataUrl({reinterpret_cast<const char*>(data), size})) {
    Check(picture->size() <= image::kMaxPictureBytes && image::InspectPicture(*picture));
  }

  const auto info = image::InspectPicture(bytes);
  Check(!info || (size <= image::kMaxPictureBytes && info->width >= 1 && info->width <= image::kMaxPictureSide &&
                  info->height >= 1 && info->height <= image::kMaxPictureSide));
  if (info && info->format == PictureFormat::Png) {
    const std::vector<std::uint8_t> ico = image::IcoOfPng(bytes, info->width, info->height);
    if (ico.size() <= image::kMaxPictureBytes) {
      const auto icon = image::InspectPicture(ico);
      Check(icon && icon->format == PictureFormat::Ico && icon->width == info->width && icon->height == info->height);
      const auto png = image::LargestPngInIco(ico);
      Check(png && Equal(*png, bytes));
    }
    const auto back = image::ReadPictureDataUrl(image::PngDataUrl(bytes));
    Check(back && Equal(*back, bytes));
  }
  if (const auto png = image::LargestPngInIco(bytes)) {
    Check(info && info->format == PictureFormat::Ico && png->data() >= data &&
          png->data() + png->size() <= data + size);
    const auto inner = image::InspectPicture(*png);
    Check(inner && inner->format == PictureFormat::Png && inner->width * inner->height <= info->width * info->height);
  }

  // The rest as pixels: the first byte tells the width.
  if (size > 1) {
    const std::uint32_t width = data[0] + 1;
    const std::uint32_t height = std::min<std::size_t>((size - 1) / 4 / width, image::kMaxPictureSide);
    const Bytes pixels = bytes.subspan(1, std::size_t{width} * height * 4);
    const std::vector<std::uint8_t> png = image::PngOfPixels(pixels, width, height);
    const auto made = image::InspectPicture(png);
    Check(height == 0 || png.size() > image::kMaxPictureBytes ||
          (made && made->format == PictureFormat::Png && made->width == width && made->height == height));
    const std::vector<std::uint8_t> rows = StoredRows(png);
    Check(rows.size() == height * (1 + std::size_t{width} * 4));
    for (std::size_t y = 0, at = 0; y < height; ++y) {
      Check(rows[at++] == 0);
      for (std::size_t x = 0; x < width; ++x, at += 4) {
        const Bytes pixel = pixels.subspan((y * width + x) * 4, 4);
        Check(rows[at] == pixel[2] && rows[at + 1] == pixel[1] && rows[at + 2] == pixel[0] && rows[at + 3] == pixel[3]);
      }
    }
  }
  return 0;
}
