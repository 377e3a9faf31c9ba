#include "win/Bitmap.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "image/BmpFile.h"
#include "text/FailureText.h"
#include "text/IntegerText.h"
#include "text/Layout.h"
#include "win/Failure.h"
#include "win/WideText.h"

namespace win {
namespace {

// A file larger than this cannot hold a picture the loader takes.
constexpr LONGLONG kMaxFileBytes = image::kMaxDecodedBytes + (1 << 20);

std::vector<std::uint8_t> ReadWholeFile(const std::string& fileName) {
  const FileHandle file = OwnFile(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw Failure(text::Format(FromUtf8(Texts().cannotOpenFile), {FromAnsi(fileName)}));
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) throw Failure(FromUtf8(Texts().streamReadError));
  if (size.QuadPart > kMaxFileBytes) throw Failure(FromUtf8(Texts().invalidBitmap));
  std::vector<std::uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()))
    throw Failure(FromUtf8(Texts().streamReadError));
  return bytes;
}

}  // namespace

void Bitmap::LoadFromFile(const std::string& fileName) {
  Release();
  const std::vector<std::uint8_t> file = ReadWholeFile(fileName);
  const image::BmpLayout layout = image::ParseBmp(file);
  switch (layout.status) {
    case image::BmpStatus::Empty: return;
    case image::BmpStatus::ReadError: throw Failure(FromUtf8(Texts().streamReadError));
    case image::BmpStatus::Invalid: throw Failure(FromUtf8(Texts().invalidBitmap));
    case image::BmpStatus::Ok: break;
  }
  // The header is copied out so the system reads it aligned.
  std::vector<DWORD> info((layout.infoSize + sizeof(DWORD) - 1) / sizeof(DWORD));
  memcpy(info.data(), file.data() + layout.infoOffset, layout.infoSize);
  const auto* header = reinterpret_cast<const BITMAPINFO*>(info.data());
  const int width = layout.width;
  const int height = layout.height < 0 ? -layout.height : layout.height;

  const WindowDc screen(nullptr);
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  SetLastError(0);
  const int lines = bitmap ? SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(height),
                                       file.data() + layout.bitsOffset, header, DIB_RGB_COLORS)
                           : 0;
  const DWORD error = GetLastError();
  if (!lines) {
    if (error) throw Failure(SystemErrorText(error));
    throw Failure(FromUtf8(Texts().invalidBitmap));
  }
  DcHandle dc(CreateCompatibleDC(screen.get()));
  SelectObject(dc.get(), bitmap.get());
  bitmap_ = std::move(bitmap);
  dc_ = std::move(dc);
  width_ = width;
  height_ = height;
}

void Bitmap::Release() {
  dc_.reset();
  bitmap_.reset();
  width_ = height_ = 0;
}

void Bitmap::Draw(HDC target) const {
  if (dc_) BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

ImageListHandle LoadPictures(HMODULE module, const std::wstring& prefix, int slot) {
  const int size = text::MenuArtSize(slot);
  const std::wstring name = prefix + text::Decimal(size);
  const BitmapHandle strip(static_cast<HBITMAP>(LoadImageW(module, name.c_str(), IMAGE_BITMAP, 0, 0, 0)));
  if (!strip) return nullptr;
  BITMAP info{};
  GetObjectW(strip.get(), sizeof info, &info);
  ImageListHandle pictures(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, info.bmWidth / size, 4));
  if (pictures && ImageList_AddMasked(pictures.get(), strip.get(), RGB(255, 0, 255)) < 0) pictures.reset();
  return pictures;
}

int AppendIcon(HIMAGELIST pictures, HMODULE module, const wchar_t* name) {
  int width = 0, height = 0;
  ImageList_GetIconSize(pictures, &width, &height);
  const IconHandle icon(static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
  return ImageList_ReplaceIcon(pictures, -1, icon.get());
}

}  // namespace win
