#include "win/Picture.h"

#include <wincodec.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <algorithm>

namespace win {
namespace {

using Microsoft::WRL::ComPtr;

// The codecs library's own factory, which MinGW's headers leave out.
extern "C" HRESULT WINAPI WICCreateImagingFactory_Proxy(UINT version, IWICImagingFactory** factory);

// The largest frame, converted to 32-bit BGRA of `format`; null when anything fails.
ComPtr<IWICBitmapSource> LargestFrame(IWICImagingFactory* factory, std::span<const std::uint8_t> bytes,
                                      const GUID& format) {
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  UINT frames = 0;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
      FAILED(decoder->GetFrameCount(&frames)))
    return nullptr;
  ComPtr<IWICBitmapFrameDecode> largest;
  UINT64 largestArea = 0;
  for (UINT i = 0; i < frames; ++i) {
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(decoder->GetFrame(i, &frame)) || FAILED(frame->GetSize(&width, &height))) continue;
    if (const UINT64 area = UINT64{width} * height; area > largestArea) {
      largestArea = area;
      largest = frame;
    }
  }
  ComPtr<IWICFormatConverter> converter;
  if (!largest || FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(largest.Get(), format, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)))
    return nullptr;
  return converter;
}

// Made by the codecs' own library, so no thread needs COM for a picture;
// made once, as making it costs more than a small picture's decoding.
IWICImagingFactory* Factory() {
  static const ComPtr<IWICImagingFactory> factory = [] {
    ComPtr<IWICImagingFactory> made;
    WICCreateImagingFactory_Proxy(WINCODEC_SDK_VERSION, &made);
    return made;
  }();
  return factory.Get();
}

bool CopyAll(IWICBitmapSource* source, UINT width, UINT height, std::vector<std::uint8_t>& bgra) {
  bgra.assign(size_t{width} * height * 4, 0);
  return SUCCEEDED(source->CopyPixels(nullptr, width * 4, static_cast<UINT>(bgra.size()), bgra.data()));
}

// The largest frame in `format`, scaled smoothly so that its longer side is
// `side` when larger, or also when smaller if `enlarge` says so.
std::optional<Pixels> Decode(std::span<const std::uint8_t> bytes, std::uint32_t side, bool enlarge,
                             const GUID& format) {
  IWICImagingFactory* factory = Factory();
  ComPtr<IWICBitmapSource> frame = factory ? LargestFrame(factory, bytes, format) : nullptr;
  Pixels pixels;
  if (!frame || FAILED(frame->GetSize(&pixels.width, &pixels.height)) || !pixels.width || !pixels.height || !side)
    return std::nullopt;
  if (const std::uint32_t longer = std::max(pixels.width, pixels.height); longer > side || (enlarge && longer < side)) {
    pixels.width = std::max<std::uint32_t>(1, pixels.width * side / longer);
    pixels.height = std::max<std::uint32_t>(1, pixels.height * side / longer);
    ComPtr<IWICBitmapScaler> scaler;
    if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(frame.Get(), pixels.width, pixels.height, WICBitmapInterpolationModeFant)))
      return std::nullopt;
    frame = scaler;
  }
  if (!CopyAll(frame.Get(), pixels.width, pixels.height, pixels.bgra)) return std::nullopt;
  return pixels;
}

}  // namespace

std::optional<Pixels> DecodePicture(std::span<const std::uint8_t> bytes, std::uint32_t maxSide) {
  return Decode(bytes, maxSide, false, GUID_WICPixelFormat32bppBGRA);
}

std::optional<Pixels> ProgramIcon(const std::wstring& file, int index) {
  HICON large = nullptr;
  if (ExtractIconExW(file.c_str(), index, &large, nullptr, 1) != 1 || !large) return std::nullopt;
  const IconHandle icon(large);
  ICONINFO info{};
  if (!GetIconInfo(icon.get(), &info)) return std::nullopt;
  const BitmapHandle color(info.hbmColor), mask(info.hbmMask);
  BITMAP shape{};
  if (!color || !GetObjectW(color.get(), sizeof shape, &shape) || shape.bmWidth <= 0 || shape.bmHeight <= 0)
    return std::nullopt;
  Pixels pixels;
  pixels.width = static_cast<std::uint32_t>(shape.bmWidth);
  pixels.height = static_cast<std::uint32_t>(shape.bmHeight);
  const auto read = [&](HBITMAP bitmap, std::vector<std::uint8_t>& into) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), shape.bmWidth, -shape.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    into.assign(size_t{pixels.width} * pixels.height * 4, 0);
    const WindowDc screen(nullptr);
    return GetDIBits(screen.get(), bitmap, 0, pixels.height, into.data(), &info, DIB_RGB_COLORS) > 0;
  };
  std::vector<std::uint8_t> masked;
  if (!read(color.get(), pixels.bgra) || !read(mask.get(), masked)) return std::nullopt;
  // An icon of the days before alpha says what shows by its mask alone.
  bool alpha = false;
  for (size_t at = 3; at < pixels.bgra.size() && !alpha; at += 4) alpha = pixels.bgra[at] != 0;
  for (size_t at = 3; at < pixels.bgra.size() && !alpha; at += 4) pixels.bgra[at] = masked[at - 3] ? 0 : 0xFF;
  return pixels;
}

BitmapHandle PictureBitmap(std::span<const std::uint8_t> bytes, int size) {
  if (size <= 0) return nullptr;
  const auto side = static_cast<std::uint32_t>(size);
  // Premultiplied, as the image list blends it.
  const std::optional<Pixels> fitted = Decode(bytes, side, true, GUID_WICPixelFormat32bppPBGRA);
  if (!fitted) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  BitmapHandle square(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!square) return nullptr;
  auto* pixels = static_cast<std::uint8_t*>(bits);
  std::fill_n(pixels, size_t{side} * side * 4, 0);
  const std::uint32_t left = (side - fitted->width) / 2, top = (side - fitted->height) / 2;
  for (std::uint32_t row = 0; row < fitted->height; ++row)
    std::copy_n(&fitted->bgra[size_t{row} * fitted->width * 4], size_t{fitted->width} * 4,
                &pixels[(size_t{top + row} * side + left) * 4]);
  GdiFlush();
  return square;
}

}  // namespace win
