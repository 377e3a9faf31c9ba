#include "text/NameOrder.h"

#include <algorithm>

namespace text {
namespace {

char32_t Fold(wchar_t unit) {
  auto c = static_cast<char32_t>(unit);
  if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;
  if (c == 0x3000) c = ' ';
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c += 0x20;
  return c;
}

// Code units compared as code points: a surrogate pair stands for more than
// any unit above the surrogates.
char32_t Weight(wchar_t unit) {
  const char32_t c = Fold(unit);
  if (c >= 0xD800 && c <= 0xDFFF) return c + 0x2000;
  if (c >= 0xE000 && c <= 0xFFFF) return c - 0x800;
  return c;
}

bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }

std::wstring_view DigitRun(std::wstring_view name, size_t from) {
  const auto end = std::find_if(name.begin() + from, name.end(), [](wchar_t c) { return !IsDigit(Fold(c)); });
  return name.substr(from, end - name.begin() - from);
}

// Negative, zero or positive as the values of two runs of digits compare;
// runs of any length, so no number overflows.
int CompareValues(std::wstring_view x, std::wstring_view y) {
  auto significant = [](std::wstring_view run) {
    while (run.size() > 1 && Fold(run.front()) == '0') run.remove_prefix(1);
    return run;
  };
  x = significant(x);
  y = significant(y);
  if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
  for (size_t k = 0; k < x.size(); ++k) {
    if (Fold(x[k]) != Fold(y[k])) return Fold(x[k]) < Fold(y[k]) ? -1 : 1;
  }
  return 0;
}

}  // namespace

bool NameLess(std::wstring_view a, std::wstring_view b) {
  size_t i = 0;
  size_t j = 0;
  // The first pair of equal runs that differ in length, for names otherwise equal.
  int zeros = 0;
  while (i < a.size() && j < b.size()) {
    const char32_t x = Weight(a[i]);
    const char32_t y = Weight(b[j]);
    if (IsDigit(x) && IsDigit(y)) {
      const std::wstring_view runA = DigitRun(a, i);
      const std::wstring_view runB = DigitRun(b, j);
      if (const int order = CompareValues(runA, runB)) return order < 0;
      if (zeros == 0 && runA.size() != runB.size()) zeros = runA.size() < runB.size() ? -1 : 1;
      i += runA.size();
      j += runB.size();
    } else if (x != y) {
      return x < y;
    } else {
      ++i;
      ++j;
    }
  }
  if (i < a.size() || j < b.size()) return i == a.size();
  if (zeros != 0) return zeros < 0;
  return a < b;
}

}  // namespace text
