#include "image/BmpFile.h"

namespace image {
namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kCoreHeader = 12;
constexpr std::size_t kInfoHeader = 40;
constexpr std::size_t kMaxHeader = 1024;  // the largest system header is 124 bytes
enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

BmpLayout Fail(BmpStatus status) { return BmpLayout{.status = status}; }

bool KnownDepth(std::uint32_t bits, bool core) {
  switch (bits) {
    case 1:
    case 4:
    case 8:
    case 24: return true;
    case 16:
    case 32: return !core;
    default: return false;
  }
}

}  // namespace

BmpLayout ParseBmp(std::span<const std::uint8_t> file) {
  const std::size_t size = file.size();
  if (size == 0) return Fail(BmpStatus::Empty);
  if (size < kFileHeader) return Fail(BmpStatus::ReadError);
  if (file[0] != 'B' || file[1] != 'M') return Fail(BmpStatus::Invalid);
  if (size < kFileHeader + 4) return Fail(BmpStatus::ReadError);

  const std::size_t headerSize = U32(file, kFileHeader);
  const bool core = headerSize == kCoreHeader;
  if (!core && (headerSize < kInfoHeader || headerSize > kMaxHeader)) return Fail(BmpStatus::Invalid);
  if (size < kFileHeader + headerSize) return Fail(BmpStatus::ReadError);

  const std::size_t h = kFileHeader;
  std::int64_t width, height;
  std::uint32_t planes, bits, compression = kRgb, colorsUsed = 0, imageSize = 0;
  if (core) {
    width = U16(file, h + 4);
    height = U16(file, h + 6);
    planes = U16(file, h + 8);
    bits = U16(file, h + 10);
  } else {
    width = static_cast<std::int32_t>(U32(file, h + 4));
    height = static_cast<std::int32_t>(U32(file, h + 8));
    planes = U16(file, h + 12);
    bits = U16(file, h + 14);
    compression = U32(file, h + 16);
    imageSize = U32(file, h + 20);
    colorsUsed = U32(file, h + 32);
  }
  if (planes != 1 || !KnownDepth(bits, core)) return Fail(BmpStatus::Invalid);
  const std::int64_t rows = height < 0 ? -height : height;
  if (width <= 0 || rows == 0) return Fail(BmpStatus::Invalid);
  const bool rle = compression == kRle8 || compression == kRle4;
  const bool compressionFits = compression == kRgb || (compression == kRle8 && bits == 8) ||
                               (compression == kRle4 && bits == 4) ||
                               (compression == kBitFields && (bits == 16 || bits == 32));
  if (!compressionFits || (rle && height < 0)) return Fail(BmpStatus::Invalid);

  std::size_t colors = colorsUsed;
  if (bits <= 8 && (colors == 0 || colors > (1u << bits))) colors = 1u << bits;
  if (colors > 256) return Fail(BmpStatus::Invalid);
  const std::size_t masks = (compression == kBitFields && headerSize == kInfoHeader) ? 12 : 0;
  const std::size_t infoSize = headerSize + masks + colors * (core ? 3 : 4);
  if (size < kFileHeader + infoSize) return Fail(BmpStatus::ReadError);

  // The file header's offset is trusted only where it points past the colour table.
  std::size_t bitsOffset = U32(file, 10);
  if (bitsOffset < kFileHeader + infoSize) bitsOffset = kFileHeader + infoSize;
  if (bitsOffset > size) return Fail(BmpStatus::ReadError);
  const std::uint64_t available = size - bitsOffset;

  // A file shorter than its headers announce is cut short, however large the
  // picture it claims; only complete files are held against the size limits.
  std::uint64_t bitsSize;
  if (rle) {
    bitsSize = imageSize;
    if (bitsSize == 0) return Fail(BmpStatus::Invalid);
    if (available < bitsSize) return Fail(BmpStatus::ReadError);
  } else {
    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
    // Divided, not multiplied: stride times rows can pass 64 bits.
    if (available / static_cast<std::uint64_t>(rows) < stride) return Fail(BmpStatus::ReadError);
    bitsSize = stride * static_cast<std::uint64_t>(rows);
  }
  // What the picture costs once decoded, whatever its depth or compression.
  if (width > kMaxSide || rows > kMaxSide ||
      static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(rows) * 4 > kMaxDecodedBytes)
    return Fail(BmpStatus::Invalid);

  return BmpLayout{BmpStatus::Ok,
                   kFileHeader,
                   infoSize,
                   bitsOffset,
                   static_cast<std::size_t>(bitsSize),
                   static_cast<std::int32_t>(width),
                   static_cast<std::int32_t>(height)};
}

}  // namespace image
