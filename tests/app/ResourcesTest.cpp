// What the executable carries besides its code.
#include <gtest/gtest.h>

#include "TamarooProcess.h"
#include "win/Bitmap.h"

namespace tamaroo_test {
namespace {

// The colour of picture `index` at (x, y), drawn on white.
COLORREF PictureColour(HIMAGELIST pictures, int index, int x, int y) {
  int size = 0;
  ImageList_GetIconSize(pictures, &size, &size);
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP target = CreateCompatibleBitmap(screen, size, size);
  ReleaseDC(nullptr, screen);
  const HGDIOBJ old = SelectObject(dc, target);
  const RECT all{0, 0, size, size};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(pictures, index, dc, 0, 0, ILD_TRANSPARENT);
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  return colour;
}

TEST(TamarooResources, CarriesTheMenuPicturesDrawnForEachSize) {
  const HMODULE module = LoadLibraryExA(BuiltTamaroo().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(module);
  // The small-icon sizes at 100, 125, 150, 175, 200 and 250 %.
  const int cases[][2] = {{16, 16}, {20, 20}, {24, 24}, {28, 24}, {32, 32}, {40, 32}};
  for (const auto& [slot, size] : cases) {
    SCOPED_TRACE(slot);
    const win::ImageListHandle pictures = win::LoadPictures(module, L"MENUIMAGES", slot);
    ASSERT_TRUE(pictures);
    int width = 0, height = 0;
    ImageList_GetIconSize(pictures.get(), &width, &height);
    EXPECT_EQ(width, size);
    EXPECT_EQ(height, size);
    EXPECT_EQ(ImageList_GetImageCount(pictures.get()), 4);
    // The About picture: a blue diamond, transparent in its corners.
    EXPECT_EQ(PictureColour(pictures.get(), 3, size / 8, size / 2), RGB(0, 0, 255));
    EXPECT_EQ(PictureColour(pictures.get(), 3, 0, 0), RGB(255, 255, 255));
  }
  FreeLibrary(module);
}

TEST(TamarooResources, CarriesItsIconAtEachSizeAndItsVersion) {
  const std::string exe = BuiltTamaroo();
  const HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(module);
  for (const int size : {16, 20, 24, 32, 40, 48, 64}) {
    const HICON icon = static_cast<HICON>(LoadImageW(module, L"MAINICON", IMAGE_ICON, size, size, 0));
    ASSERT_TRUE(icon) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, size);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    DestroyIcon(icon);
  }
  EXPECT_TRUE(FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)));  // the manifest
  FreeLibrary(module);

  DWORD ignored = 0;
  std::vector<char> version(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
  wchar_t* name = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(version.data(), L"\\StringFileInfo\\041104b0\\ProductName",
                             reinterpret_cast<void**>(&name), &length));
  EXPECT_STREQ(name, L"Tamaroo");
}

}  // namespace
}  // namespace tamaroo_test
