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
  explicit Parts(const std::string& Text) : Upper(Text) {
    if (UpperAscii()) return;
    Upper = Text;
    Dot = npos;
    CharUpperBuffA(Upper.data(), static_cast<DWORD>(Upper.size()));
    for (size_t i = 0; i < Upper.size(); ++i) {
      if (IsDBCSLeadByte(static_cast<BYTE>(Upper[i])))
        ++i;
      else if (Upper[i] == '.')
        Dot = i;
    }
  }
  std::string_view Name() const { return std::string_view(Upper).substr(0, Dot); }
  std::string_view Ext() const {
    return Dot == npos ? std::string_view() : std::string_view(Upper).substr(Dot + 1);
  }

 private:
  // False, leaving the text half done, at the first byte that is not ASCII.
  bool UpperAscii() {
    for (size_t i = 0; i < Upper.size(); ++i) {
      char& Byte = Upper[i];
      if (Byte & 0x80) return false;
      if (Byte >= 'a' && Byte <= 'z')
        Byte = static_cast<char>(Byte - 'a' + 'A');
      else if (Byte == '.')
        Dot = i;
    }
    return true;
  }

  std::string Upper;
  size_t Dot = npos;
};

// Compares Name and Pattern from their first bytes, '?' fitting any byte,
// until Name runs out or Pattern has a '*'. Returns the position of that '*',
// or npos when the comparison has decided, with the outcome in Fits.
template <class Bytes>
size_t CompareToStar(const Bytes& Name, const Bytes& Pattern, bool& Fits) {
  size_t i = 0;
  for (; i < Name.size(); ++i) {
    if (i < Pattern.size() && Pattern[i] == '*') return i;
    if (i == Pattern.size() || (Pattern[i] != '?' && Pattern[i] != Name[i])) {
      Fits = false;
      return npos;
    }
  }
  // A name that runs out at a '*' fits, whatever follows the '*'.
  Fits = i == Pattern.size() || Pattern[i] == '*';
  return npos;
}

// Compared from the right, the first '*' met ends the comparison: what lies
// between the first and the last '*' is not examined.
bool TailFits(std::string_view Name, std::string_view Pattern) {
  bool Fits;
  return CompareToStar(std::views::reverse(Name), std::views::reverse(Pattern), Fits) != npos || Fits;
}

bool PatternFits(std::string_view Name, std::string_view Pattern) {
  if (!Pattern.empty() && Pattern[0] == '*') return Pattern.size() == 1 || TailFits(Name, Pattern);
  bool Fits;
  const size_t Star = CompareToStar(Name, Pattern, Fits);
  if (Star == npos) return Fits;
  return Star + 1 == Pattern.size() || TailFits(Name.substr(Star), Pattern.substr(Star));
}

}  // namespace

std::string UpperNamePart(const std::string& Text) { return std::string(Parts(Text).Name()); }

std::string UpperExtPart(const std::string& Text) { return std::string(Parts(Text).Ext()); }

std::string ReversedText(const std::string& Text) { return std::string(Text.rbegin(), Text.rend()); }

bool MatchTail(const std::string& Name, const std::string& Pattern) { return TailFits(Name, Pattern); }

bool MatchPattern(const std::string& Name, const std::string& Pattern) {
  return PatternFits(Name, Pattern);
}

bool MatchFileName(const std::string& FileName, const std::string& Mask) {
  const Parts File(FileName), Wild(Mask);
  if (File.Name().empty() || Wild.Name().empty()) return false;
  if (Mask == "*" || Mask == "*.*") return true;
  return PatternFits(File.Name(), Wild.Name()) && PatternFits(File.Ext(), Wild.Ext());
}

bool TFindFile::MatchMasks(const std::string& FileName) const {
  for (const std::string& Mask : FileMask)
    if (MatchFileName(FileName, Mask)) return true;
  return false;
}
