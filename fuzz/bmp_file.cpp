// A layout marked good lies wholly inside the file, its parts do not overlap,
// its sizes agree with the header, and it needs every byte it claims.
#include <cstdlib>

#include "image/BmpFile.h"

namespace {

using image::BmpStatus;

std::uint32_t Field(const std::uint8_t* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const image::BmpLayout layout = image::ParseBmp({data, size});
  Check((layout.status == BmpStatus::Empty) == (size == 0));
  if (layout.status != BmpStatus::Ok) return 0;

  const std::size_t headerSize = Field(data + 14, 4);
  const bool core = headerSize == 12;
  const std::uint32_t bits = Field(data + (core ? 24 : 28), 2);
  const std::uint32_t compression = core ? 0 : Field(data + 30, 4);
  const std::int32_t width = core ? Field(data + 18, 2) : static_cast<std::int32_t>(Field(data + 18, 4));
  const std::int32_t height = core ? Field(data + 20, 2) : static_cast<std::int32_t>(Field(data + 22, 4));

  Check(layout.infoOffset == 14 && layout.infoSize >= headerSize);
  Check((layout.infoSize - headerSize) % (core ? 3 : 4) == 0);
  Check(layout.infoOffset + layout.infoSize <= layout.bitsOffset);
  Check(layout.bitsSize > 0);
  Check(layout.bitsOffset <= size && layout.bitsSize <= size - layout.bitsOffset);
  Check(layout.width == width && layout.height == height);
  Check(width > 0 && width <= image::kMaxSide && height != 0 && std::abs(height) <= image::kMaxSide);
  // Whatever its depth or compression, a good picture decodes within the bound.
  Check(static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(std::abs(height)) * 4 <=
        image::kMaxDecodedBytes);
  if (compression != 1 && compression != 2) {
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    Check(layout.bitsSize == stride * static_cast<std::uint64_t>(std::abs(height)));
  }

  // The bytes past the pixels are not needed; one byte fewer is a short file.
  const std::size_t end = layout.bitsOffset + layout.bitsSize;
  const image::BmpLayout cut = image::ParseBmp({data, end});
  Check(cut.status == BmpStatus::Ok && cut.bitsOffset == layout.bitsOffset && cut.bitsSize == layout.bitsSize &&
        cut.infoSize == layout.infoSize);
  Check(image::ParseBmp({data, end - 1}).status == BmpStatus::ReadError);
  return 0;
}
