#include "win/Bitmap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "BmpSamples.h"
#include "TamarooProcess.h"
#include "app/FailureTexts.h"
#include "win/Failure.h"

namespace {

using bmp_samples::Make;
using bmp_samples::Shape;

class BitmapTest : public ::testing::Test {
 protected:
  void SetUp() override { win::UseFailureTexts(app::kFailureTexts); }

  void Write(const std::vector<std::uint8_t>& bytes) const { folder.Write("face.bmp", bytes); }

  // The colour the loaded picture shows at (x, y).
  COLORREF Drawn(const win::Bitmap& bitmap, int x, int y) const {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP target = CreateCompatibleBitmap(screen, bitmap.Width(), bitmap.Height());
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, target);
    bitmap.Draw(dc);
    const COLORREF color = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    return color;
  }

  const tamaroo_test::TempFolder folder;
  const std::string path = folder.Path() + "face.bmp";
};

// A 2x2 picture whose top-left pixel is `red` (as the shape stores red), the rest 0.
std::vector<std::uint8_t> RedCorner(const Shape& shape, const std::vector<std::uint8_t>& red) {
  std::vector<std::uint8_t> file = Make(shape);
  const size_t stride = ((2 * shape.bits + 31) / 32) * 4;
  const size_t pixels = file.size() - 2 * stride;
  std::fill(file.begin() + static_cast<long>(pixels), file.end(), 0);
  const bool topDown = shape.height < 0;
  std::copy(red.begin(), red.end(), file.begin() + static_cast<long>(pixels + (topDown ? 0 : stride)));
  return file;
}

TEST_F(BitmapTest, DrawsThePixelsOfEachLayoutTheRightWayUp) {
  const struct {
    const char* what;
    Shape shape;
    std::vector<std::uint8_t> red;
  } cases[] = {
      {"24-bit, bottom-up", {.width = 2, .height = 2}, {0, 0, 0xFF}},  // blue, green, red
      {"24-bit, top-down", {.width = 2, .height = -2}, {0, 0, 0xFF}},
      {"16-bit fields 5-6-5", {.width = 2, .height = 2, .bits = 16, .compression = 3}, {0x00, 0xF8}},
      {"32-bit fields, red lowest",
       {.width = 2, .height = 2, .bits = 32, .compression = 3, .masks = {0x0000FF, 0x00FF00, 0xFF0000}},
       {0xFF, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Write(RedCorner(c.shape, c.red));
    win::Bitmap bitmap;
    bitmap.LoadFromFile(path);
    ASSERT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(Drawn(bitmap, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(Drawn(bitmap, 0, 1), RGB(0, 0, 0));
  }
}

TEST_F(BitmapTest, TakesEveryKindOfFileTheSystemDraws) {
  const std::pair<const char*, std::vector<std::uint8_t>> files[] = {
      {"core header", Make({.headerSize = 12, .width = 7, .height = 3, .bits = 8})},
      {"1-bit", Make({.width = 7, .height = 3, .bits = 1})},
      {"4-bit", Make({.width = 7, .height = 3, .bits = 4})},
      {"16-bit fields", Make({.width = 7, .height = 3, .bits = 16, .compression = 3})},
      {"32-bit", Make({.width = 7, .height = 3, .bits = 32})},
      {"version 5 header", Make({.headerSize = 124, .width = 7, .height = 3})},
  };
  for (const auto& [what, file] : files) {
    SCOPED_TRACE(what);
    Write(file);
    win::Bitmap bitmap;
    bitmap.LoadFromFile(path);
    EXPECT_EQ(bitmap.Width(), 7);
    EXPECT_EQ(bitmap.Height(), 3);
  }
  Write(bmp_samples::MakeRle8(5));
  win::Bitmap rle;
  rle.LoadFromFile(path);
  EXPECT_EQ(rle.Width(), 5);
  EXPECT_EQ(rle.Height(), 1);
}

TEST_F(BitmapTest, EmptyFileGivesAnEmptyPictureAndReleaseEmptiesIt) {
  Write(Make({}));
  win::Bitmap bitmap;
  bitmap.LoadFromFile(path);
  EXPECT_FALSE(bitmap.Empty());
  bitmap.Release();
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 0);

  Write({});
  bitmap.LoadFromFile(path);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Height(), 0);
}

TEST_F(BitmapTest, AFailedLoadLeavesNoPicture) {
  Write(Make({}));
  win::Bitmap bitmap;
  bitmap.LoadFromFile(path);
  Write({'B', 'M', 0});
  EXPECT_THROW(bitmap.LoadFromFile(path), win::Failure);
  EXPECT_TRUE(bitmap.Empty());
}

TEST_F(BitmapTest, AFileHeldOpenForWritingCannotBeOpened) {
  Write(Make({}));
  const HANDLE writer =
      CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  win::Bitmap bitmap;
  try {
    bitmap.LoadFromFile(path);
    ADD_FAILURE() << "loaded a file another program is writing";
  } catch (const win::Failure& failure) {
    EXPECT_NE(failure.Text().find(L"は開けません"), std::wstring::npos);
  }
  CloseHandle(writer);
}

}  // namespace
