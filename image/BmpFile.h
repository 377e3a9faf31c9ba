#pragma once
// Where the parts of a Windows bitmap file lie, checked against the file's
// real length before anything is allocated or handed to the system.
#include <cstddef>
#include <cstdint>
#include <span>

namespace image {

enum class BmpStatus {
  Empty,      // a file of no bytes: an empty picture, not an error
  ReadError,  // the file ends before what its headers announce
  Invalid,    // not a bitmap, or one no face picture can be
  Ok,
};

struct BmpLayout {
  BmpStatus status = BmpStatus::Invalid;
  std::size_t infoOffset = 0;  // header and colour table, as the system takes them
  std::size_t infoSize = 0;
  std::size_t bitsOffset = 0;
  std::size_t bitsSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative for rows stored top-down
};

// The largest picture taken, far beyond any window face: sides up to 32767
// pixels, and at most 256 MiB once decoded (4 bytes a pixel, whatever the
// file's depth or compression).
inline constexpr std::int32_t kMaxSide = 32767;
inline constexpr std::uint64_t kMaxDecodedBytes = 256u << 20;

BmpLayout ParseBmp(std::span<const std::uint8_t> file);

}  // namespace image
