#include <ranges>
#include <string_view>

#include "findfile/FindFile.h"

namespace {

constexpr size_t npos = std::string_view::npos;

// A text upper-cased by the code page's rules and cut at its last '.'.
// CharUpperBuffA goes through UTF-16 and back and costs more than all the
// matching, so ASCII texts, alike in every ANSI code page, are done here.
class Parts {
 public:
  explicit Parts(const std::string& text) : upper_(text) {
    if (UpperAscii()) return;
    upper_ = text;
    dot_ = npos;
    CharUpperBuffA(upper_.data(), static_cast<DWORD>(upper_.size()));
    for (size_t i = 0; i < upper_.size(); ++i) {
      if (IsDBCSLeadByte(static_cast<BYTE>(upper_[i])))
        ++i;
      else if (upper_[i] == '.')
        dot_ = i;
    }
  }
  std::string_view Name() const { return std::string_view(upper_).substr(0, dot_); }
  std::string_view Ext() const { return dot_ == npos ? std::string_view() : std::string_view(upper_).substr(dot_ + 1); }

 private:
  // False, leaving the text half done, at the first byte that is not ASCII.
  bool UpperAscii() {
    for (size_t i = 0; i < upper_.size(); ++i) {
      char& byte = upper_[i];
      if (byte & 0x80) return false;
      if (byte >= 'a' && byte <= 'z')
        byte = static_cast<char>(byte - 'a' + 'A');
      else if (byte == '.')
        dot_ = i;
    }
    return true;
  }

  std::string upper_;
  size_t dot_ = npos;
};

// Where comparing a name with a pattern from their first bytes came to rest:
// at a '*' of the pattern (star, its position), or decided (star is npos and
// fits says how).
struct Rest {
  size_t star;
  bool fits;
};

// Compares name and pattern from their first bytes, '?' fitting any byte,
// until name runs out or pattern has a '*'.
template <class Bytes>
Rest CompareToStar(const Bytes& name, const Bytes& pattern) {
  size_t i = 0;
  for (; i < name.size(); ++i) {
    if (i < pattern.size() && pattern[i] == '*') return {i, false};
    if (i == pattern.size() || (pattern[i] != '?' && pattern[i] != name[i])) return {npos, false};
  }
  // A name that runs out at a '*' fits, whatever follows the '*'.
  return {npos, i == pattern.size() || pattern[i] == '*'};
}

// Compared from the right, the first '*' met ends the comparison: what lies
// between the first and the last '*' is not examined.
bool TailFits(std::string_view name, std::string_view pattern) {
  const Rest compared = CompareToStar(std::views::reverse(name), std::views::reverse(pattern));
  return compared.star != npos || compared.fits;
}

bool PatternFits(std::string_view name, std::string_view pattern) {
  if (!pattern.empty() && pattern[0] == '*') return pattern.size() == 1 || TailFits(name, pattern);
  const Rest compared = CompareToStar(name, pattern);
  if (compared.star == npos) return compared.fits;
  return compared.star + 1 == pattern.size() || TailFits(name.substr(compared.star), pattern.substr(compared.star));
}

}  // namespace

std::string UpperNamePart(const std::string& text) { return std::string(Parts(text).Name()); }

std::string UpperExtPart(const std::string& text) { return std::string(Parts(text).Ext()); }

std::string ReversedText(const std::string& text) { return std::string(text.rbegin(), text.rend()); }

bool MatchTail(const std::string& name, const std::string& pattern) { return TailFits(name, pattern); }

bool MatchPattern(const std::string& name, const std::string& pattern) { return PatternFits(name, pattern); }

bool MatchFileName(const std::string& fileName, const std::string& mask) {
  const Parts file(fileName), wild(mask);
  if (file.Name().empty() || wild.Name().empty()) return false;
  if (mask == "*" || mask == "*.*") return true;
  return PatternFits(file.Name(), wild.Name()) && PatternFits(file.Ext(), wild.Ext());
}

bool TFindFile::MatchMasks(const std::string& fileName) const {
  for (const std::string& mask : FileMask)
    if (MatchFileName(fileName, mask)) return true;
  return false;
}
