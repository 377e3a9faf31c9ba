// A page's key is its own key again, and the URL with some of its characters
// left out and some made lower case: never longer, never anything new.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/PageKey.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view url(reinterpret_cast<const char*>(data), size);
  const std::string key = text::PageKey(url);
  Check(text::PageKey(key) == key);
  size_t at = 0;
  for (const char c : key) {
    while (at < url.size() && Lower(url[at]) != Lower(c)) ++at;
    Check(at++ < url.size());
  }
  return 0;
}
