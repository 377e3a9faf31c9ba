// Folding reaches a fixed point at once, and capitals, full width and
// hiragana fold as their plain forms do. A query places a bookmark as its
// worst term alone does; its terms are found nowhere in an empty bookmark, and
// all found where its text is, among the folders or, when ASCII, in the URL; a
// name found by itself is at its start, or at a word's start when folded it
// holds a space.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/Finder.h"

namespace {

using text::Place;

void Check(bool ok) {
  if (!ok) std::abort();
}

std::wstring Folded(std::wstring_view text) {
  std::wstring folded;
  text::FoldForFinding(text, folded);
  return folded;
}

}  // namespace

// The query and the name in UTF-16, each ending at a NUL; the URL's bytes up
// to a NUL; the folders in UTF-16.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring query, name, folders;
  std::string url;
  size_t i = 0;
  for (std::wstring* wide : {&query, &name}) {
    for (; i + 1 < size && (data[i] | data[i + 1]); i += 2) *wide += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    i += 2;
  }
  for (; i < size && data[i]; ++i) url += static_cast<char>(data[i]);
  for (++i; i + 1 < size; i += 2) folders += static_cast<wchar_t>(data[i] | data[i + 1] << 8);

  const std::wstring folded = Folded(query);
  Check(Folded(folded) == folded);
  std::wstring variant(query);
  for (wchar_t& c : variant) {
    if (c >= 'a' && c <= 'z') c += L'\uFF21' - 'a';
    if (c >= 0x3041 && c <= 0x3096) c += 0x60;
  }
  Check(Folded(variant) == folded);

  const text::Finder finder(query);
  Place worst = Place::NameStart;
  for (size_t at = 0; at < folded.size(); ++at) {
    const size_t end = std::min(folded.find(L' ', at), folded.size());
    if (end > at) worst = std::max(worst, text::Finder(folded.substr(at, end - at)).Match(name, url, folders));
    at = end;
  }
  Check(finder.Match(name, url, folders) == worst);
  Check(finder.Match(L"", "", L"") == (finder.Empty() ? Place::NameStart : Place::Nowhere));
  Check(finder.Match(L"", "", folded + L' ') == (finder.Empty() ? Place::NameStart : Place::Elsewhere));
  if (std::all_of(query.begin(), query.end(), [](wchar_t c) { return c < 0x80; })) {
    const Place place = finder.Match(L"", std::string(query.begin(), query.end()), L"");
    Check(finder.Empty() ? place == Place::NameStart : place == Place::InHost || place == Place::Elsewhere);
  }

  const Place self = text::Finder(name).Match(name, url, folders);
  Check(Folded(name).find(L' ') == std::wstring::npos ? self == Place::NameStart : self <= Place::WordStart);
  return 0;
}
