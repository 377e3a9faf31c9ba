#include "image/Favicon.h"

#include <algorithm>
#include <cstdlib>

#include "image/BmpFile.h"

namespace image {
namespace {

using Bytes = std::span<const std::uint8_t>;

struct Size {
  std::uint32_t width = 0, height = 0;
  bool operator==(const Size&) const = default;
};

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";
constexpr std::string_view kBase64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::string_view kHex = "0123456789abcdef";

std::uint32_t BigEndian(Bytes b, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | b[at + i];
  return value;
}

std::uint32_t LittleEndian(Bytes b, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count; i-- > 0;) value = value << 8 | b[at + i];
  return value;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::size_t value, int count) {
  for (int i = count; i-- > 0;) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::size_t value, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

bool StartsWith(Bytes b, std::string_view prefix) {
  return std::string_view(reinterpret_cast<const char*>(b.data()), b.size()).starts_with(prefix);
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::uint32_t Crc32(Bytes b) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const std::uint8_t byte : b) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

// Every chunk inside the file with its checksum right, image data among
// them, up to IEND: what a decoder could show whole.
bool IsWholePng(Bytes b) {
  bool data = false;
  for (std::size_t at = 8; at + 12 <= b.size();) {
    const std::size_t length = BigEndian(b, at, 4);
    if (length > b.size() - at - 12 || Crc32(b.subspan(at + 4, length + 4)) != BigEndian(b, at + 8 + length, 4))
      return false;
    const Bytes type = b.subspan(at + 4, 4);
    data = data || StartsWith(type, "IDAT");
    at += length + 12;
    if (StartsWith(type, "IEND")) return data;
  }
  return false;
}

// The size the IHDR chunk gives, which must follow the signature.
std::optional<Size> PngSize(Bytes b) {
  if (b.size() < 33 || !StartsWith(b, kPngSignature) || BigEndian(b, 8, 4) != 13 ||
      !StartsWith(b.subspan(12), "IHDR") || !IsWholePng(b)) {
    return std::nullopt;
  }
  return Size{BigEndian(b, 16, 4), BigEndian(b, 20, 4)};
}

// The size of the first frame; the segments before it are walked by their
// lengths, as the scan after it could only be walked by decoding it.
std::optional<Size> JpegSize(Bytes b) {
  for (std::size_t at = 2; at + 4 <= b.size();) {
    if (b[at] != 0xFF) return std::nullopt;
    const std::uint8_t marker = b[at + 1];
    if (marker == 0xFF) {  // a fill byte before a marker
      ++at;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;
    const std::size_t length = BigEndian(b, at + 2, 2);
    if (length < 2 || length > b.size() - at - 2) return std::nullopt;
    // C4, C8 and CC share the frames' range but are tables and a reserved marker.
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (length < 8) return std::nullopt;
      return Size{BigEndian(b, at + 7, 2), BigEndian(b, at + 5, 2)};
    }
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<Size> BmpSize(Bytes b) {
  const BmpLayout layout = ParseBmp(b);
  if (layout.status != BmpStatus::Ok) return std::nullopt;
  return Size{static_cast<std::uint32_t>(layout.width), static_cast<std::uint32_t>(std::abs(layout.height))};
}

struct IconImage {
  Bytes bytes;
  Size size;
  bool png = false;
};

// An icon's bitmap image: a BITMAPINFOHEADER of the entry's width and twice
// its height, as the mask follows the colours.
bool IsIconBitmap(Bytes b, Size size) {
  return b.size() >= 40 && LittleEndian(b, 0, 4) == 40 && LittleEndian(b, 4, 4) == size.width &&
         LittleEndian(b, 8, 4) == 2 * size.height;
}

// An icon file's images in its directory's order; nothing when any of them
// is not what its entry says.
std::optional<std::vector<IconImage>> IconImages(Bytes b) {
  if (b.size() < 6 || LittleEndian(b, 0, 2) != 0 || LittleEndian(b, 2, 2) != 1) {
    return std::nullopt;
  }
  const std::size_t end = 6 + 16 * std::size_t{LittleEndian(b, 4, 2)};
  if (b.size() < end) return std::nullopt;
  std::vector<IconImage> images;
  for (std::size_t entry = 6; entry < end; entry += 16) {
    // A side of 256 does not fit the entry's byte and is written as 0.
    const Size size{b[entry] ? b[entry] : 256u, b[entry + 1] ? b[entry + 1] : 256u};
    const std::size_t length = LittleEndian(b, entry + 8, 4), offset = LittleEndian(b, entry + 12, 4);
    if (offset > b.size() || length > b.size() - offset) return std::nullopt;
    const Bytes image = b.subspan(offset, length);
    const bool png = StartsWith(image, kPngSignature);
    if (png ? PngSize(image) != size : !IsIconBitmap(image, size)) return std::nullopt;
    images.push_back({image, size, png});
  }
  return images;
}

// The image of the largest area, the first of equals; of the PNG images only
// when `pngOnly`.
std::optional<IconImage> Largest(const std::vector<IconImage>& images, bool pngOnly) {
  const auto area = [](Size s) { return s.width * s.height; };
  std::optional<IconImage> largest;
  for (const IconImage& image : images) {
    if ((image.png || !pngOnly) && (!largest || area(image.size) > area(largest->size))) largest = image;
  }
  return largest;
}

// Base64 as the browsers read it: white space anywhere, the padding left out
// or complete, and nothing else.
std::optional<std::vector<std::uint8_t>> FromBase64(std::string_view text) {
  std::vector<std::uint8_t> out;
  std::uint32_t group = 0;
  std::size_t sextets = 0, padding = 0;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f') continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    const std::size_t value = kBase64.find(c);
    if (value == kBase64.npos || padding > 0) return std::nullopt;
    group = group << 6 | static_cast<std::uint32_t>(value);
    if (++sextets % 4 == 0) PutBigEndian(out, group, 3);
  }
  const std::size_t rest = sextets % 4;
  if (rest == 1 || (padding > 0 && rest + padding != 4)) return std::nullopt;
  if (rest > 1) PutBigEndian(out, group >> (rest == 2 ? 4 : 2), rest - 1);
  return out;
}

std::string ToBase64(Bytes b) {
  std::string out;
  for (std::size_t at = 0; at < b.size(); at += 3) {
    const std::size_t count = std::min<std::size_t>(3, b.size() - at);
    std::uint32_t group = 0;
    for (std::size_t i = 0; i < 3; ++i) group = group << 8 | (i < count ? b[at + i] : 0);
    for (std::size_t i = 0; i < 4; ++i) out += i <= count ? kBase64[group >> (18 - 6 * i) & 63] : '=';
  }
  return out;
}

// A '%' without two hex digits after it stands for itself, as in a browser.
std::vector<std::uint8_t> FromPercent(std::string_view text) {
  std::vector<std::uint8_t> out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const std::size_t high = text[at] == '%' && at + 2 < text.size() ? kHex.find(Lower(text[at + 1])) : kHex.npos;
    const std::size_t low = high == kHex.npos ? kHex.npos : kHex.find(Lower(text[at + 2]));
    if (low == kHex.npos) {
      out.push_back(static_cast<std::uint8_t>(text[at]));
    } else {
      out.push_back(static_cast<std::uint8_t>(high << 4 | low));
      at += 2;
    }
  }
  return out;
}

std::uint32_t Adler32(Bytes b) {
  std::uint32_t sum = 1, sums = 0;
  for (const std::uint8_t byte : b) {
    sum = (sum + byte) % 65521;
    sums = (sums + sum) % 65521;
  }
  return sums << 16 | sum;
}

void AppendChunk(std::vector<std::uint8_t>& png, std::string_view type, Bytes data) {
  PutBigEndian(png, data.size(), 4);
  const std::size_t from = png.size();
  png.insert(png.end(), type.begin(), type.end());
  png.insert(png.end(), data.begin(), data.end());
  PutBigEndian(png, Crc32(Bytes(png).subspan(from)), 4);
}

}  // namespace

std::optional<PictureInfo> InspectPicture(Bytes bytes) {
  if (bytes.size() > kMaxPictureBytes) return std::nullopt;
  PictureFormat format = PictureFormat::Png;
  std::optional<Size> size;
  if (StartsWith(bytes, kPngSignature)) {
    size = PngSize(bytes);
  } else if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) {
    format = PictureFormat::Gif;
    // The logical screen, whose descriptor is 7 bytes long.
    if (bytes.size() >= 13) size = Size{LittleEndian(bytes, 6, 2), LittleEndian(bytes, 8, 2)};
  } else if (StartsWith(bytes, "\xFF\xD8\xFF")) {
    format = PictureFormat::Jpeg;
    size = JpegSize(bytes);
  } else if (StartsWith(bytes, "BM")) {
    format = PictureFormat::Bmp;
    size = BmpSize(bytes);
  } else if (const auto images = IconImages(bytes)) {
    format = PictureFormat::Ico;
    // A directory of no images has no largest.
    if (const std::optional<IconImage> largest = Largest(*images, false)) size = largest->size;
  }
  const auto fits = [](std::uint32_t side) { return side >= 1 && side <= kMaxPictureSide; };
  if (!size || !fits(size->width) || !fits(size->height)) return std::nullopt;
  return PictureInfo{format, size->width, size->height};
}

std::optional<std::vector<std::uint8_t>> ReadPictureDataUrl(std::string_view url) {
  const std::size_t comma = url.find(',');
  if (comma == url.npos) return std::nullopt;
  std::string header(url.substr(0, comma));
  std::ranges::transform(header, header.begin(), Lower);
  // Percent-encoding takes at most three characters a byte, base64 fewer
  // (but for white space): a longer text is never decoded.
  const std::string_view data = url.substr(comma + 1);
  if (!header.starts_with("data:") || data.size() > 3 * kMaxPictureBytes) return std::nullopt;
  static constexpr std::pair<std::string_view, PictureFormat> kTypes[] = {
      {"image/png", PictureFormat::Png},
      {"image/gif", PictureFormat::Gif},
      {"image/jpeg", PictureFormat::Jpeg},
      {"image/jpg", PictureFormat::Jpeg},
      {"image/bmp", PictureFormat::Bmp},
      {"image/x-icon", PictureFormat::Ico},
      {"image/vnd.microsoft.icon", PictureFormat::Ico},
      {"image/ico", PictureFormat::Ico}};
  const std::string_view type = std::string_view(header).substr(5, header.find(';') - 5);
  const auto named = std::ranges::find(kTypes, type, &std::pair<std::string_view, PictureFormat>::first);
  if (named == std::end(kTypes)) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> bytes =
      header.ends_with(";base64") ? FromBase64(data) : std::optional(FromPercent(data));
  if (!bytes) return std::nullopt;
  // A picture must be what its media type says: a browser that sniffs it
  // would show another picture than the one we checked.
  const std::optional<PictureInfo> info = InspectPicture(*bytes);
  if (!info || info->format != named->second) return std::nullopt;
  return bytes;
}

std::string PngDataUrl(Bytes png) { return "data:image/png;base64," + ToBase64(png); }

std::vector<std::uint8_t> IcoOfPng(Bytes png, std::uint32_t width, std::uint32_t height) {
  // The directory of one entry: 256 is written as 0; no palette; one plane of 32 bits.
  std::vector<std::uint8_t> ico = {
      0, 0, 1, 0, 1, 0, static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height), 0, 0, 1, 0, 32, 0};
  PutLittleEndian(ico, png.size(), 4);
  PutLittleEndian(ico, 22, 4);
  ico.insert(ico.end(), png.begin(), png.end());
  return ico;
}

std::vector<std::uint8_t> PngOfPixels(Bytes bgra, std::uint32_t width, std::uint32_t height) {
  // Each row after its filter byte (0: none), in PNG's order of the channels.
  std::vector<std::uint8_t> rows;
  rows.reserve(height * (1 + 4 * std::size_t{width}));
  for (std::size_t y = 0; y < height; ++y) {
    rows.push_back(0);
    for (std::size_t at = y * width * 4; at < (y + 1) * width * 4; at += 4) {
      rows.insert(rows.end(), {bgra[at + 2], bgra[at + 1], bgra[at], bgra[at + 3]});
    }
  }
  // A zlib stream of stored deflate blocks, each at most 65535 bytes long.
  std::vector<std::uint8_t> zlib = {0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t length = std::min<std::size_t>(rows.size() - at, 0xFFFF);
    zlib.push_back(at + length == rows.size());  // the last block says so
    PutLittleEndian(zlib, length, 2);
    PutLittleEndian(zlib, ~length, 2);
    zlib.insert(zlib.end(), rows.begin() + at, rows.begin() + at + length);
    at += length;
  } while (at < rows.size());
  PutBigEndian(zlib, Adler32(rows), 4);

  std::vector<std::uint8_t> header;
  PutBigEndian(header, width, 4);
  PutBigEndian(header, height, 4);
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits a channel of RGBA, no interlace
  std::vector<std::uint8_t> png(kPngSignature.begin(), kPngSignature.end());
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", zlib);
  AppendChunk(png, "IEND", {});
  return png;
}

std::optional<Bytes> LargestPngInIco(Bytes ico) {
  const std::optional<PictureInfo> info = InspectPicture(ico);
  if (!info || info->format != PictureFormat::Ico) return std::nullopt;
  const std::optional<IconImage> largest = Largest(*IconImages(ico), true);
  if (!largest) return std::nullopt;
  return largest->bytes;
}

std::string PictureFileName(Bytes ico) {
  std::uint64_t hash = 0xcbf29ce484222325;  // 64-bit FNV-1a
  for (const std::uint8_t byte : ico) hash = (hash ^ byte) * 0x100000001b3;
  std::string name(16, '0');
  for (auto digit = name.rbegin(); digit != name.rend(); ++digit, hash >>= 4) *digit = kHex[hash & 15];
  return name + ".ico";
}

}  // namespace image
