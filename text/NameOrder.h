#pragma once
// The order of names in the menu: Explorer's, the same on every file system.
#include <string_view>

namespace text {

// Whether name `a` (UTF-16, as the file system gives it) comes before `b`.
// Case does not count: A-Z, the Latin-1 capitals and the fullwidth forms of
// ASCII fold to lower-case ASCII ("Ａ" is "a", "１" is "1"). A run of digits
// counts by its value ("item 9" before "item 10"); runs of one value but more
// leading zeros come later, decided only when the names are otherwise equal.
// The rest goes by code point after folding; two names equal so far go by
// their own code units, so different names never compare equal. A strict
// total order, fit for std::sort.
//
// Not the Japanese locale's order: kana go by code point, so every hiragana
// comes before every katakana, each in gojuon order with its small and voiced
// forms beside it; kanji go by code point, not by reading; halfwidth katakana
// come after all of them. Punctuation goes by code point too, not first.
bool NameLess(std::wstring_view a, std::wstring_view b);

}  // namespace text
