// The parts of a path put back together give the path, and no part begins or
// ends inside a double-byte character. A long full path takes the extended
// form, which names the same path and stays as it is when extended again.
#include <cstdlib>
#include <string>
#include <vector>

#include "text/AnsiPath.h"
#include "text/LongPath.h"

namespace {

bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool NoLead(unsigned char) { return false; }

void Check(bool ok) {
  if (!ok) std::abort();
}

// starts[i]: whether byte i begins a character.
std::vector<bool> CharacterStarts(std::string_view path, text::LeadByteTest isLead) {
  std::vector<bool> starts(path.size() + 1, false);
  for (std::size_t i = 0; i < path.size(); ++i) {
    starts[i] = true;
    if (isLead(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) ++i;
  }
  starts[path.size()] = true;
  return starts;
}

bool HasDelimiter(std::string_view part, std::string_view delimiters, text::LeadByteTest isLead) {
  return text::LastDelimiter(part, delimiters, isLead) != std::string_view::npos;
}

void CheckSplit(std::string_view path, text::LeadByteTest isLead) {
  const std::string folder = text::FolderOf(path, isLead);
  const std::string name = text::FileNameOf(path, isLead);
  const std::string extension = text::ExtensionOf(path, isLead);
  const std::string bare = text::BareNameOf(path, isLead);
  const std::vector<bool> starts = CharacterStarts(path, isLead);

  Check(folder + name == path);
  Check(folder.empty() || folder.back() == '\\' || folder.back() == ':');
  Check(folder.empty() || starts[folder.size() - 1]);
  Check(!HasDelimiter(name, "\\:", isLead));

  Check(bare + extension == name);
  Check(starts[path.size() - extension.size()]);
  Check(extension.empty() || (extension[0] == '.' && !HasDelimiter(extension.substr(1), "\\:.", isLead)));
  Check(!extension.empty() || !HasDelimiter(name, ".", isLead));
}

void CheckExtended(const std::wstring& path) {
  const std::wstring extended = text::ExtendedLengthPath(path);
  Check(text::ExtendedLengthPath(extended) == extended);
  const bool full = path.starts_with(L"\\\\") || (path.size() > 2 && path[1] == L':' && path[2] == L'\\');
  const bool plain = path.size() <= 247 || path.starts_with(L"\\\\?\\") || !full;
  Check(plain ? extended == path : extended.starts_with(L"\\\\?\\"));
  if (extended.starts_with(L"\\\\?\\UNC\\") && !path.starts_with(L"\\\\?\\")) {
    Check(L"\\\\" + extended.substr(8) == path);
  } else if (!plain) {
    Check(extended.substr(4) == path);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view path(reinterpret_cast<const char*>(data), size);
  CheckSplit(path, ShiftJisLead);
  CheckSplit(path, NoLead);
  std::wstring wide;
  for (const unsigned char b : path) wide += static_cast<wchar_t>(b);
  CheckExtended(wide);
  return 0;
}
