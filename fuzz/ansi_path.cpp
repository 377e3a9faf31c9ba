// The parts of a path put back together give the path, and no part begins or
// ends inside a double-byte character.
#include <cstdlib>
#include <string>
#include <vector>

#include "text/AnsiPath.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view path(reinterpret_cast<const char*>(data), size);
  CheckSplit(path, ShiftJisLead);
  CheckSplit(path, NoLead);
  return 0;
}
