#pragma once
// Finding bookmarks by what the user types: every term must be somewhere in
// the name, the URL or a folder above; the best places rank first.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// The form in which typed text and bookmarks are compared: case does not
// count (A-Z and the Latin-1 capitals), nor the width (fullwidth ASCII is
// ASCII, halfwidth katakana are katakana, "ｶﾞ" is "ガ"), nor hiragana against
// katakana ("とうきょう" is "トウキョウ"). A voiced kana is its bare kana
// and a voicing mark. Control characters and the ideographic space become
// spaces. Appended to `into`.
void FoldForFinding(std::wstring_view text, std::wstring& into);

// Where a bookmark holds its worst-placed term, best first.
enum class Place : std::uint8_t {
  NameStart,  // at the start of the name
  WordStart,  // at the start of a word of the name
  InName,
  InHost,     // in the URL's host
  Elsewhere,  // elsewhere in the URL, or in a folder's name
  Nowhere,    // some term is in none of them
};

class Finder {
 public:
  // The typed text cut at whitespace into terms, folded; any text at all.
  explicit Finder(std::wstring_view typed);
  bool Empty() const { return terms_.empty(); }

  // Where every term is found in a bookmark. `url` is the shortcut's URL as
  // stored (bytes; ASCII folds, other bytes match only themselves), empty
  // when it has none or it is not read yet. `folders` are the names of the
  // folders above it, each folded and followed by a space.
  Place Match(std::wstring_view name, std::string_view url, std::wstring_view folders) const;

 private:
  std::vector<std::wstring> terms_;
  mutable std::wstring name_;  // the name folded, kept to spare allocations
};

}  // namespace text
