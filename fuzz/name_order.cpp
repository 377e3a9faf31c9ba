// Names keep one strict total order: no name comes before itself, of two
// different names exactly one comes first, and a < b < c gives a < c.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/NameOrder.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

// Three names in UTF-16, apart at each NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring names[3];
  size_t n = 0;
  for (size_t i = 0; i + 1 < size && n < 3; i += 2) {
    const auto c = static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    if (c == 0) {
      ++n;
    } else {
      names[n] += c;
    }
  }
  for (const std::wstring& a : names) {
    for (const std::wstring& b : names) {
      Check(text::NameLess(a, b) + text::NameLess(b, a) == (a != b));
      for (const std::wstring& c : names) {
        Check(!text::NameLess(a, b) || !text::NameLess(b, c) || text::NameLess(a, c));
      }
    }
  }
  return 0;
}
