#pragma once
// Site pictures as the browsers and shortcuts hand them over, checked whole
// before anything decodes them, and the one form they are kept in: an icon
// file (.ico), which Explorer and other programs read too.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace image {

enum class PictureFormat { Png, Ico, Gif, Jpeg, Bmp };

// Larger data is refused, and so is a picture with a larger side.
inline constexpr std::size_t kMaxPictureBytes = 64 * 1024;
inline constexpr std::uint32_t kMaxPictureSide = 256;

struct PictureInfo {
  PictureFormat format;
  std::uint32_t width = 0, height = 0;  // of the largest image an icon holds
};

// What the bytes are by their own signature and headers: nothing when they
// are none of the formats, are larger than kMaxPictureBytes, end before their
// headers do, or give a side of 0 or above kMaxPictureSide. An icon's every
// image must lie inside the file and be a PNG or a bitmap of the size its
// directory gives.
std::optional<PictureInfo> InspectPicture(std::span<const std::uint8_t> bytes);

// The picture a "data:" URL holds (base64 or percent-encoded), when its media
// type names one of the formats and the bytes are that format
// ("image/x-icon" and "image/vnd.microsoft.icon" are ICO, "image/jpg" is
// JPEG) and InspectPicture takes them; nothing otherwise, SVG included.
std::optional<std::vector<std::uint8_t>> ReadPictureDataUrl(std::string_view url);
// "data:image/png;base64,..." of PNG bytes.
std::string PngDataUrl(std::span<const std::uint8_t> png);

// An icon file that holds the one PNG image, of that size.
std::vector<std::uint8_t> IcoOfPng(std::span<const std::uint8_t> png, std::uint32_t width, std::uint32_t height);
// A PNG file of 32-bit BGRA pixels (rows top-down, alpha not premultiplied),
// stored without compression: for pictures of icon size.
std::vector<std::uint8_t> PngOfPixels(std::span<const std::uint8_t> bgra, std::uint32_t width, std::uint32_t height);
// The bytes of the largest PNG image an icon file holds; nothing when it holds none.
std::optional<std::span<const std::uint8_t>> LargestPngInIco(std::span<const std::uint8_t> ico);

// A file name for the picture, "<16 hex digits>.ico", from a 64-bit hash of
// its bytes: identical pictures get one name.
std::string PictureFileName(std::span<const std::uint8_t> ico);

}  // namespace image
