#include "image/BmpFile.h"

#include <gtest/gtest.h>

#include "BmpSamples.h"

namespace {

using bmp_samples::Make;
using bmp_samples::Shape;
using image::BmpStatus;

std::vector<std::uint8_t> Bytes(std::initializer_list<int> list) {
  return std::vector<std::uint8_t>(list.begin(), list.end());
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> file, size_t size) {
  file.resize(size);
  return file;
}

std::vector<std::uint8_t> WithHeaderSize(std::vector<std::uint8_t> file, std::uint32_t size) {
  for (int i = 0; i < 4; ++i) file[14 + i] = static_cast<std::uint8_t>(size >> (8 * i));
  return file;
}

struct Case {
  const char* what;
  std::vector<std::uint8_t> file;
  BmpStatus status;
};

TEST(ParseBmp, SortsFilesIntoWhatTheUserIsTold) {
  const std::vector<std::uint8_t> good = Make({});
  const std::vector<std::uint8_t> paletted = Make({.bits = 8});
  std::vector<std::uint8_t> notBm = good;
  notBm[0] = 'X';
  const Case cases[] = {
      {"empty file", {}, BmpStatus::Empty},
      {"one byte", Bytes({'B'}), BmpStatus::ReadError},
      {"thirteen bytes", Cut(good, 13), BmpStatus::ReadError},
      {"thirteen bytes, not BM", Bytes({'X', 'Y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), BmpStatus::ReadError},
      {"not BM", notBm, BmpStatus::Invalid},
      {"file header only", Cut(good, 14), BmpStatus::ReadError},
      {"info header cut", Cut(good, 30), BmpStatus::ReadError},
      {"colour table cut", Cut(paletted, 54 + 100), BmpStatus::ReadError},
      {"pixels cut", Cut(good, good.size() - 1), BmpStatus::ReadError},
      {"24-bit", good, BmpStatus::Ok},
      {"1-bit", Make({.bits = 1}), BmpStatus::Ok},
      {"4-bit", Make({.bits = 4}), BmpStatus::Ok},
      {"8-bit, 16 colours used", Make({.bits = 8, .colorsUsed = 16}), BmpStatus::Ok},
      {"16-bit bit fields", Make({.bits = 16, .compression = 3}), BmpStatus::Ok},
      {"32-bit", Make({.bits = 32}), BmpStatus::Ok},
      {"top-down", Make({.height = -2}), BmpStatus::Ok},
      {"core header", Make({.headerSize = 12, .bits = 8}), BmpStatus::Ok},
      {"version 5 header", Make({.headerSize = 124}), BmpStatus::Ok},
      {"RLE8", bmp_samples::MakeRle8(3), BmpStatus::Ok},
      {"two planes", Make({.planes = 2}), BmpStatus::Invalid},
      {"no planes", Make({.planes = 0}), BmpStatus::Invalid},
      {"header size 20", Make({.headerSize = 20}), BmpStatus::Invalid},
      {"header size 4 GiB", WithHeaderSize(good, 0xFFFFFFFF), BmpStatus::Invalid},
      {"header size past the file", WithHeaderSize(good, 1000), BmpStatus::ReadError},
      {"7 bits a pixel", Make({.bits = 7}, 8), BmpStatus::Invalid},
      {"16-bit core", Make({.headerSize = 12, .bits = 16}), BmpStatus::Invalid},
      {"zero width", Make({.width = 0}), BmpStatus::Invalid},
      {"negative width", Make({.width = -4}, 0), BmpStatus::Invalid},
      {"zero height", Make({.height = 0}), BmpStatus::Invalid},
      {"most negative height", Make({.height = INT32_MIN}, 0), BmpStatus::ReadError},
      {"huge sides, few bytes", Make({.width = 30000, .height = 30000}, 16), BmpStatus::ReadError},
      {"huge width, few bytes", Make({.width = 0x7FFFFFFF, .height = 1}, 16), BmpStatus::ReadError},
      {"width over 32767", Make({.width = 32768, .height = 1}), BmpStatus::Invalid},
      {"1-bit, 64 Mi pixels and a row", Make({.width = 8192, .height = 8193, .bits = 1}), BmpStatus::Invalid},
      {"RLE8 of 256 MiB decoded", bmp_samples::MakeRle8(8192, 8192), BmpStatus::Ok},
      {"RLE8 of 256 MiB and a row", bmp_samples::MakeRle8(8192, 8193), BmpStatus::Invalid},
      {"unknown compression", Make({.compression = 9}), BmpStatus::Invalid},
      {"RLE8 on 24 bits", Make({.compression = 1, .imageSize = 4}), BmpStatus::Invalid},
      {"RLE8 top-down", Make({.height = -1, .bits = 8, .compression = 1, .imageSize = 4}), BmpStatus::Invalid},
      {"RLE8 without a size", Make({.bits = 8, .compression = 1}, 4), BmpStatus::Invalid},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(image::ParseBmp(c.file).status, c.status) << c.what;
  }
}

TEST(ParseBmp, LocatesHeaderColoursAndPixels) {
  const auto file = Make({.width = 3, .height = -2, .bits = 8, .colorsUsed = 16});
  const image::BmpLayout layout = image::ParseBmp(file);
  ASSERT_EQ(layout.status, BmpStatus::Ok);
  EXPECT_EQ(layout.infoOffset, 14u);
  EXPECT_EQ(layout.infoSize, 40u + 16 * 4);
  EXPECT_EQ(layout.bitsOffset, 14u + 40 + 64);
  EXPECT_EQ(layout.bitsSize, 8u);  // two rows of 3 bytes, padded to 4
  EXPECT_EQ(layout.width, 3);
  EXPECT_EQ(layout.height, -2);
}

TEST(ParseBmp, TrustsThePixelOffsetOnlyPastTheColourTable) {
  auto file = Make({});
  // Pixels announced 2 bytes further on, with the 2 bytes there.
  file[10] += 2;
  file.insert(file.begin() + 54, {0xAA, 0xBB});
  EXPECT_EQ(image::ParseBmp(file).bitsOffset, 56u);
  // An offset into the header is ignored.
  file = Make({});
  file[10] = 20;
  EXPECT_EQ(image::ParseBmp(file).bitsOffset, 54u);
  // An offset past the end of the file cuts the pixels short.
  file[10] = 0xFF;
  file[11] = 0xFF;
  EXPECT_EQ(image::ParseBmp(file).status, BmpStatus::ReadError);
}

}  // namespace
