// Writes the fuzz targets' seed corpora: make_seeds <fuzz/corpus folder>.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/image/BmpSamples.h"

namespace {

namespace fs = std::filesystem;
using bmp_samples::Make;

void Write(const fs::path& folder, const std::string& name, const std::vector<std::uint8_t>& bytes) {
  fs::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void Write(const fs::path& folder, const std::string& name, const std::string& text) {
  Write(folder, name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const fs::path root = argv[1];

  const fs::path bmp = root / "bmp_file";
  Write(bmp, "rgb24", Make({}));
  Write(bmp, "grey1", Make({.bits = 1}));
  Write(bmp, "grey4", Make({.bits = 4}));
  Write(bmp, "grey8-16", Make({.width = 3, .height = -2, .bits = 8, .colorsUsed = 16}));
  Write(bmp, "fields16", Make({.bits = 16, .compression = 3}));
  Write(bmp, "rgb32-v5", Make({.headerSize = 124, .bits = 32}));
  Write(bmp, "core8", Make({.headerSize = 12, .bits = 8}));
  Write(bmp, "rle8", bmp_samples::MakeRle8(3));
  Write(bmp, "rle4", Make({.bits = 4, .compression = 2, .imageSize = 4}));

  const fs::path integer = root / "integer_text";
  int i = 0;
  for (const char* text : {"0", "100", "-20", "+7", "   42", "2147483647", "-2147483648", "0x64", "$FFFFFFFF",
                           "-$10", "X7fffffff", "12abc"}) {
    Write(integer, "seed" + std::to_string(i++), std::string(text));
  }

  const fs::path path = root / "ansi_path";
  i = 0;
  for (const char* text : {"C:\\Tamaroo\\Tamaroo.exe", "C:Tamaroo.exe", "C:\\a.b.url", "C:\\dir.d\\readme",
                           "C:\\\x95\x5C\\Tamaroo.exe", "C:\\d\\\x83\x5C.url", "C:\\d\\x.\x83\x5C", "a.\x95"}) {
    Write(path, "seed" + std::to_string(i++), std::string(text));
  }
  return 0;
}
