#include "app/SitePictures.h"

#include <commctrl.h>

#include <cstdlib>

#include "image/Favicon.h"
#include "text/InternetShortcut.h"
#include "win/Files.h"
#include "win/Handles.h"
#include "win/Picture.h"
#include "win/WideText.h"

namespace app {
namespace {

// A file of at most kMaxPictureBytes, read whole; nothing otherwise.
std::optional<PictureBytes> ReadPictureFile(const std::wstring& path) {
  const std::optional<std::string> bytes = win::ReadWholeFile(path, image::kMaxPictureBytes);
  if (!bytes || bytes->empty()) return std::nullopt;
  return PictureBytes(bytes->begin(), bytes->end());
}

// A picture made from pixels, kept as an icon file of one PNG.
PictureBytes IcoOfPixels(const win::Pixels& pixels) {
  return image::IcoOfPng(image::PngOfPixels(pixels.bgra, pixels.width, pixels.height), pixels.width, pixels.height);
}

// A path on this machine's own disks: reading it contacts no server.
bool IsLocal(const std::wstring& path) {
  if (path.size() < 3 || path[1] != L':' || (path[2] != L'\\' && path[2] != L'/') || text::IsRemotePath(path))
    return false;
  const wchar_t root[] = {path[0], L':', L'\\', L'\0'};
  const UINT type = GetDriveTypeW(root);
  return type == DRIVE_FIXED || type == DRIVE_REMOVABLE || type == DRIVE_RAMDISK || type == DRIVE_CDROM;
}

}  // namespace

// Pictures made anew (from GIF, JPEG, BMP or a program's icon) are kept no
// larger than the menu draws them at 200 %, and twice that: a PNG of pixels
// is stored uncompressed.
constexpr std::uint32_t kMadeSide = 64;

std::optional<PictureBytes> KeptPicture(std::span<const std::uint8_t> bytes) {
  const std::optional<image::PictureInfo> info = image::InspectPicture(bytes);
  if (!info) return std::nullopt;
  // PNG and icon files are checked whole by their own structure (each PNG
  // chunk by its checksum) and kept as they are; the others are decoded here.
  if (info->format == image::PictureFormat::Ico) return PictureBytes(bytes.begin(), bytes.end());
  if (info->format == image::PictureFormat::Png) return image::IcoOfPng(bytes, info->width, info->height);
  const std::optional<win::Pixels> pixels = win::DecodePicture(bytes, kMadeSide);
  if (!pixels) return std::nullopt;
  return IcoOfPixels(*pixels);
}

std::optional<PictureBytes> KeptPictureOfDataUrl(std::string_view url) {
  const std::optional<PictureBytes> bytes = image::ReadPictureDataUrl(url);
  return bytes ? KeptPicture(*bytes) : std::nullopt;
}

std::optional<PictureBytes> ShortcutPicture(std::string_view contents, const std::wstring& path) {
  std::optional<PictureBytes> bytes;
  const std::wstring file = win::FromAnsi(text::ShortcutValue(contents, "IconFile").value_or(""));
  if (IsLocal(file)) {
    const int index = std::atoi(text::ShortcutValue(contents, "IconIndex").value_or("0").c_str());
    if (file.size() > 4 && CompareStringOrdinal(file.c_str() + file.size() - 4, 4, L".ico", 4, TRUE) == CSTR_EQUAL) {
      bytes = ReadPictureFile(file);
    } else if (const std::optional<win::Pixels> icon = win::ProgramIcon(file, index)) {
      // A program's or a library's icon, as Explorer would show it.
      bytes = IcoOfPixels(*icon);
    }
  }
  // Where the file system has streams, a browser may have kept the site's picture in one.
  if (!bytes && !path.empty()) bytes = ReadPictureFile(path + L":favicon");
  return bytes ? KeptPicture(*bytes) : std::nullopt;
}

std::string PictureDataUrl(std::span<const std::uint8_t> kept) {
  if (const std::optional<std::span<const std::uint8_t>> png = image::LargestPngInIco(kept))
    return image::PngDataUrl(*png);
  const std::optional<win::Pixels> pixels = win::DecodePicture(kept, kMadeSide);
  return pixels ? image::PngDataUrl(image::PngOfPixels(pixels->bgra, pixels->width, pixels->height)) : std::string();
}

int MenuPictures::ImageOf(std::uint32_t id, const std::wstring& file, HIMAGELIST list) {
  if (images_.size() <= id) images_.resize(id + 1, kNotLoaded);
  if (images_[id] != kNotLoaded) return images_[id];
  int width = 0, height = 0;
  ImageList_GetIconSize(list, &width, &height);
  const std::optional<PictureBytes> bytes = ReadPictureFile(file);
  const win::BitmapHandle picture = bytes ? win::PictureBitmap(*bytes, width) : nullptr;
  // The alpha says what shows; a mask, all clear, says nothing against it.
  const std::vector<std::uint8_t> clear(size_t((width + 15) / 16 * 2) * height, 0);
  const win::BitmapHandle mask(CreateBitmap(width, height, 1, 1, clear.data()));
  images_[id] = picture ? ImageList_Add(list, picture.get(), mask.get()) : -1;
  return images_[id];
}

bool MenuPictures::LoadAhead(std::uint32_t count, const std::function<std::wstring(std::uint32_t)>& fileOf,
                             HIMAGELIST list, std::chrono::milliseconds slice) {
  const auto until = std::chrono::steady_clock::now() + slice;
  for (; next_ <= count; ++next_) {
    if (std::chrono::steady_clock::now() >= until) return true;
    ImageOf(next_, fileOf(next_), list);
  }
  return false;
}

}  // namespace app
