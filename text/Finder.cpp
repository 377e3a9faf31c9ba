#include "text/Finder.h"

#include <algorithm>
#include <array>

#include "text/InternetShortcut.h"

namespace text {
namespace {

constexpr std::array<wchar_t, 0x80> kAscii = [] {
  std::array<wchar_t, 0x80> table{};
  for (wchar_t c = 0; c < 0x80; ++c) {
    table[c] = c < 0x20 || c == 0x7F ? L' ' : c >= 'A' && c <= 'Z' ? c + 0x20 : c;
  }
  return table;
}();

// U+FF61 to U+FF9F in full width; the voicing marks become the combining ones.
constexpr std::wstring_view kHalfwidth =
    L"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリ"
    L"ルレロワン\u3099\u309A";

// A voiced katakana of U+30A0 to U+30FF as its bare kana and mark, the form
// that halfwidth kana and spacing marks also take.
struct Voicing {
  wchar_t bare = 0;
  wchar_t mark = 0;
};
constexpr std::array<Voicing, 0x60> kVoicings = [] {
  std::array<Voicing, 0x60> table{};
  auto voiced = [&](int c, int bare, int mark) {
    table[c - 0x30A0] = {static_cast<wchar_t>(bare), static_cast<wchar_t>(mark)};
  };
  for (int c = 0x30AC; c <= 0x30C2; c += 2) voiced(c, c - 1, 0x3099);  // ガ to ヂ
  for (int c = 0x30C5; c <= 0x30C9; c += 2) voiced(c, c - 1, 0x3099);  // ヅ to ド, after ッ
  for (int c = 0x30D0; c <= 0x30DC; c += 3) {                          // バ and パ to ボ and ポ
    voiced(c, c - 1, 0x3099);
    voiced(c + 1, c - 1, 0x309A);
  }
  voiced(0x30F4, 0x30A6, 0x3099);                                   // ヴ
  for (int c = 0x30F7; c <= 0x30FA; ++c) voiced(c, c - 8, 0x3099);  // ヷ to ヺ
  voiced(0x30FE, 0x30FD, 0x3099);                                   // ヾ
  return table;
}();

// Before a word of a name: ASCII other than letters and digits, or CJK
// punctuation; other letters run on, as Japanese words are not spaced.
bool StartsWordAfter(wchar_t c) {
  return (c < 0x80 && !(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9')) || (c >= 0x3000 && c <= 0x303F);
}

// `term` in the bytes of a URL: an ASCII letter of it matches either case,
// anything else only itself, as a term holds no control character.
bool InBytes(std::string_view bytes, std::wstring_view term) {
  const wchar_t first = term.front();
  const bool letter = first >= 'a' && first <= 'z';
  for (size_t at = 0; at + term.size() <= bytes.size(); ++at) {
    const auto b = static_cast<unsigned char>(bytes[at]);
    if ((letter ? b | 0x20 : b) != first) continue;
    size_t k = 1;
    while (k < term.size()) {
      const auto next = static_cast<unsigned char>(bytes[at + k]);
      if ((next < 0x80 ? kAscii[next] : next) != term[k]) break;
      ++k;
    }
    if (k == term.size()) return true;
  }
  return false;
}

Place PlaceOf(std::wstring_view term, std::wstring_view name, std::string_view url, std::wstring_view folders) {
  if (name.starts_with(term)) return Place::NameStart;
  size_t at = name.find(term, 1);
  if (at != name.npos) {
    for (; at != name.npos; at = name.find(term, at + 1)) {
      if (StartsWordAfter(name[at - 1])) return Place::WordStart;
    }
    return Place::InName;
  }
  if (InBytes(url, term)) return InBytes(UrlHost(url), term) ? Place::InHost : Place::Elsewhere;
  return folders.find(term) != folders.npos ? Place::Elsewhere : Place::Nowhere;
}

}  // namespace

void FoldForFinding(std::wstring_view text, std::wstring& into) {
  // Room for each unit to become two, as a voiced kana does, cut back after:
  // written through a pointer, 30,000 names a keystroke fold in far less time.
  const size_t from = into.size();
  into.resize(from + 2 * text.size());
  wchar_t* out = into.data() + from;
  for (const wchar_t unit : text) {
    auto c = static_cast<char32_t>(unit);
    if (c < 0x80) {
      c = kAscii[c];
    } else if (c < 0x100) {
      if (c >= 0xC0 && c <= 0xDE && c != 0xD7) c += 0x20;
    } else if (c >= 0x3000 && c <= 0x30FF) {
      if (c == 0x3000) {
        c = ' ';
      } else if (c == 0x309B || c == 0x309C) {
        c -= 2;
      } else if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E) {
        c += 0x60;
      }
      if (c >= 0x30A0 && kVoicings[c - 0x30A0].mark != 0) {
        *out++ = kVoicings[c - 0x30A0].bare;
        c = kVoicings[c - 0x30A0].mark;
      }
    } else if (c >= 0xFF01 && c <= 0xFF5E) {
      c = kAscii[c - 0xFEE0];
    } else if (c >= 0xFF61 && c <= 0xFF9F) {
      c = kHalfwidth[c - 0xFF61];
    }
    *out++ = static_cast<wchar_t>(c);
  }
  into.resize(out - into.data());
}

Finder::Finder(std::wstring_view typed) {
  std::wstring folded;
  FoldForFinding(typed, folded);
  for (size_t at = 0; at < folded.size();) {
    const size_t end = std::min(folded.find(L' ', at), folded.size());
    if (end > at) terms_.emplace_back(folded, at, end - at);
    at = end + 1;
  }
}

Place Finder::Match(std::wstring_view name, std::string_view url, std::wstring_view folders) const {
  name_.clear();
  FoldForFinding(name, name_);
  Place worst = Place::NameStart;
  for (const std::wstring& term : terms_) {
    worst = std::max(worst, PlaceOf(term, name_, url, folders));
    if (worst == Place::Nowhere) break;
  }
  return worst;
}

}  // namespace text
