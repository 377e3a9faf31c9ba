#include "text/FailureText.h"

namespace text {

std::wstring WithFinalDot(std::wstring text) {
  if (!text.empty() && text.back() > L'.') text += L'.';
  return text;
}

std::wstring WithoutTrailingBlanksAndDots(std::wstring text) {
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return text;
}

std::wstring Format(std::wstring_view pattern, std::initializer_list<std::wstring_view> values) {
  std::wstring result;
  auto value = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    const bool marker =
        pattern[i] == L'%' && i + 1 < pattern.size() && (pattern[i + 1] == L's' || pattern[i + 1] == L'd');
    if (marker && value != values.end()) {
      result += *value++;
      ++i;
    } else {
      result += pattern[i];
    }
  }
  return result;
}

}  // namespace text
