#include "image/Favicon.h"

#include <gtest/gtest.h>

#include <string>

#include "BmpSamples.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::literals;

Bytes Of(std::string_view s) { return Bytes(s.begin(), s.end()); }
std::string Base64(const Bytes& b) { return image::PngDataUrl(b).substr(22); }

Bytes Patched(Bytes b, std::size_t at, std::uint32_t value, int count = 4) {
  b.resize(std::max(b.size(), at + count));
  for (int i = 0; i < count; ++i) b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  return b;
}

// A PNG of that size.
Bytes Png(std::uint32_t width, std::uint32_t height) {
  return image::PngOfPixels(Bytes(std::size_t{width} * height * 4), width, height);
}

// An icon's bitmap image: its header, which gives twice the height for the mask.
Bytes Dib(std::uint32_t width, std::uint32_t height) {
  return Patched(Patched(Patched(Bytes(40), 0, 40), 4, width), 8, height);
}

// An icon file of square images, each of the side its entry gives.
Bytes Ico(std::vector<std::pair<std::uint8_t, Bytes>> images) {
  Bytes ico = {0, 0, 1, 0, static_cast<std::uint8_t>(images.size()), 0}, data;
  for (const auto& [side, bytes] : images) {
    ico.insert(ico.end(), {side, side, 0, 0, 1, 0, 32, 0});
    bmp_samples::Put(ico, static_cast<std::uint32_t>(bytes.size()), 4);
    bmp_samples::Put(ico, static_cast<std::uint32_t>(6 + 16 * images.size() + data.size()), 4);
    data.insert(data.end(), bytes.begin(), bytes.end());
  }
  ico.insert(ico.end(), data.begin(), data.end());
  return ico;
}

// What InspectPicture tells of the bytes, as "PNG 16x48"; "" when it refuses them.
std::string Told(const Bytes& b) {
  static constexpr std::string_view kFormats[] = {"PNG", "ICO", "GIF", "JPEG", "BMP"};
  const auto info = image::InspectPicture(b);
  if (!info) return "";
  const std::string size = std::to_string(info->width) + "x" + std::to_string(info->height);
  return std::string(kFormats[static_cast<int>(info->format)]) + " " + size;
}

const Bytes kJpeg = Of("\xFF\xD8\xFF\xE0\0\4\0\0\xFF\xFF\xC4\0\7\0\1\0\2\0\xFF\xC2\0\x08\x08\0\x20\0\x30\0"sv);
const Bytes kIcons = Ico({{16, Dib(16, 32)}, {32, Png(32, 32)}, {24, Dib(24, 48)}});

TEST(Favicon, TellsPicturesByTheirHeaders) {
  const Bytes one = Png(1, 1), icon = image::IcoOfPng(one, 1, 1);
  const Bytes large = Patched(Png(16, 16), image::kMaxPictureBytes - 1, 0, 1);
  const struct {
    const char* what;
    Bytes bytes;
    const char* told;
  } cases[] = {
      {"PNG", Png(16, 48), "PNG 16x48"},
      {"PNG of the largest side", Png(256, 1), "PNG 256x1"},
      {"PNG too wide", Png(257, 1), ""},
      {"PNG with a damaged chunk", Patched(Png(16, 16), 50, 0x55, 1), ""},
      {"PNG of no height", Png(1, 0), ""},
      {"PNG cut in its header", Bytes(one.begin(), one.begin() + 32), ""},
      {"PNG without its header first", Patched(one, 15, 'X', 1), ""},
      {"PNG of the largest length", large, "PNG 16x16"},
      {"PNG one byte longer", Patched(large, large.size(), 0, 1), ""},
      {"GIF", Of("GIF87a\x10\0\0\1\0\0\0"sv), "GIF 16x256"},
      {"GIF cut", Of("GIF89a\x10\0\x10\0\0\0"sv), ""},
      {"JPEG: the frame after segments, fill and tables", kJpeg, "JPEG 48x32"},
      {"JPEG cut in a segment", Bytes(kJpeg.begin(), kJpeg.end() - 1), ""},
      {"JPEG with a scan before its frame", Of("\xFF\xD8\xFF\xDA\0\2\xFF\xC0\0\x08\x08\0\x10\0\x10\0"sv), ""},
      {"BMP stored top-down", bmp_samples::Make({.width = 3, .height = -2}), "BMP 3x2"},
      {"icon: its largest image", kIcons, "ICO 32x32"},
      {"icon of a side of 256", image::IcoOfPng(Png(256, 16), 256, 16), "ICO 256x16"},
      {"icon with a PNG of another size", image::IcoOfPng(Png(32, 32), 32, 16), ""},
      {"icon with a bitmap of its height only", Ico({{16, Dib(16, 16)}}), ""},
      {"icon with a bitmap of another width", Ico({{16, Dib(17, 32)}}), ""},
      {"icon with an image past its end", Patched(icon, 14, static_cast<std::uint32_t>(one.size() + 1)), ""},
      {"icon with an image far beyond", Patched(Patched(kIcons, 14, 0x20), 18, 0xFFFFFFF0), ""},
      {"cursor", Patched(icon, 2, 2, 1), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Told(c.bytes), c.told);
  }
}

TEST(Favicon, FindsTheLargestPngOfAnIcon) {
  const struct {
    const char* what;
    Bytes ico;
    std::optional<Bytes> png;
  } cases[] = {
      {"among bitmaps and smaller ones",
       Ico({{48, Dib(48, 96)}, {16, Png(16, 16)}, {32, Png(32, 32)}, {24, Png(24, 24)}}), Png(32, 32)},
      {"of bitmaps only", Ico({{16, Dib(16, 32)}}), std::nullopt},
      {"in a broken icon", image::IcoOfPng(Png(32, 32), 32, 16), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto png = image::LargestPngInIco(c.ico);
    EXPECT_EQ(png ? std::optional(Bytes(png->begin(), png->end())) : std::nullopt, c.png);
  }
}

TEST(Favicon, ReadsPicturesOfDataUrls) {
  // 73 and 77 bytes: base64 pads them with two '=' and one.
  const Bytes png = image::PngOfPixels(Bytes(4, 1), 1, 1), png77 = image::PngOfPixels(Bytes(8, 2), 2, 1);
  const std::string text = Base64(png77), head = text.substr(0, 40), tail = text.substr(40, text.size() - 41);
  const Bytes gif = Of("GIF89a\x10\0\0\1%zz"sv), ico = image::IcoOfPng(png, 1, 1);
  const struct {
    std::string url;
    std::optional<Bytes> picture;
  } cases[] = {
      {image::PngDataUrl(png), png},
      {"DATA:Image/PNG;name=a;BASE64," + head + "\r\n \t" + tail, png77},
      {"data:image/png;base64," + head + "*" + tail, std::nullopt},
      {"data:image/png;base64," + head + "=" + tail, std::nullopt},
      {image::PngDataUrl(png) + "=", std::nullopt},
      {"date:image/png;base64," + Base64(png), std::nullopt},
      {"data:image/gif;base64," + Base64(png), std::nullopt},
      {"data:image/svg+xml;base64," + Base64(png), std::nullopt},
      {"data:image/gif,GIF89a%10%00%00%01%zz", gif},
      {"data:image/x-icon;base64," + Base64(ico), ico},
      {"data:image/jpg;base64," + Base64(kJpeg), kJpeg},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(image::ReadPictureDataUrl(c.url), c.picture);
  }
}

TEST(Favicon, MakesPngOfPixels) {
  // As Python's zlib and binascii make it: two pixels, blue then red, half transparent.
  EXPECT_EQ(image::PngOfPixels(Of("\xFF\0\0\x80\0\0\xFF\x80"sv), 2, 1),
            Of("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\2\0\0\0\1\x08\x06\0\0\0\xF4\x22\x7F\x8A\0\0\0\x14IDAT"
               "\x78\x01\x01\x09\0\xF6\xFF\0\0\0\xFF\x80\xFF\0\0\x80\x0C\xFF\x02\xFF\x06\x4A\x83\x21\0\0\0\0IEND\xAE"
               "\x42\x60\x82"sv));
  // Rows of 513 bytes make 65664 bytes: a stored block of 65535 and a last one of 129.
  const Bytes large = image::PngOfPixels(Bytes(128 * 128 * 4), 128, 128);
  EXPECT_EQ(Bytes(large.begin() + 43, large.begin() + 48), Of("\0\xFF\xFF\0\0"sv));
  EXPECT_EQ(Bytes(large.begin() + 48 + 65535, large.begin() + 53 + 65535), Of("\1\x81\0\x7E\xFF"sv));
}

TEST(Favicon, NamesPicturesByTheirHash) { EXPECT_EQ(image::PictureFileName(Of("aa")), "089c4307b54596b7.ico"); }

}  // namespace
