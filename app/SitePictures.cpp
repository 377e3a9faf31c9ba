#include "app/SitePictures.h"

#include <commctrl.h>

#include <cstdlib>

#include "image/Favicon.h"
#include "text/InternetShortcut.h"
#include "text/LongPath.h"
#include "win/Handles.h"
#include "win/Picture.h"
#include "win/WideText.h"

namespace app {
namespace {

// A file of at most kMaxPictureBytes, read whole; nothing otherwise.
std::optional<PictureBytes> ReadPictureFile(const std::wstring& path) {
  const win::FileHandle file = win::OwnFile(CreateFileW(text::VerbatimPath(path).c_str(), GENERIC_READ,
                                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                        OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
      size.QuadPart > static_cast<LONGLONG>(image::kMaxPictureBytes))
    return std::nullopt;
  PictureBytes bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
    return std::nullopt;
  return bytes;
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
  // Decoded whole here, so a picture that would show cut short is never kept.
  const std::optional<win::Pixels> pixels = win::DecodePicture(bytes, kMadeSide);
  if (!pixels) return std::nullopt;
  switch (info->format) {
    case image::PictureFormat::Ico: return PictureBytes(bytes.begin(), bytes.end());
    case image::PictureFormat::Png: return image::IcoOfPng(bytes, info->width, info->height);
    default:
      return image::IcoOfPng(image::PngOfPixels(pixels->bgra, pixels->width, pixels->height), pixels->width,
                             pixels->height);
  }
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
      bytes = image::IcoOfPng(image::PngOfPixels(icon->bgra, icon->width, icon->height), icon->width, icon->height);
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
  const win::IconHandle icon = bytes ? win::PictureIcon(*bytes, width) : nullptr;
  images_[id] = icon ? ImageList_ReplaceIcon(list, -1, icon.get()) : -1;
  return images_[id];
}

}  // namespace app
