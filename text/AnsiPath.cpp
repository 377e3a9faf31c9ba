#include "text/AnsiPath.h"

namespace text {

size_t LastDelimiter(std::string_view path, std::string_view delimiters, LeadByteTest isLead) {
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (isLead(byte) && i + 1 < path.size()) {
      ++i;  // the trail byte belongs to this character
      continue;
    }
    if (delimiters.find(path[i]) != std::string_view::npos) found = i;
  }
  return found;
}

std::string FolderOf(std::string_view path, LeadByteTest isLead) {
  const size_t at = LastDelimiter(path, "\\:", isLead);
  return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string FileNameOf(std::string_view path, LeadByteTest isLead) {
  const size_t at = LastDelimiter(path, "\\:", isLead);
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string ExtensionOf(std::string_view path, LeadByteTest isLead) {
  const size_t at = LastDelimiter(path, "\\:.", isLead);
  if (at == std::string_view::npos || path[at] != '.') return {};
  return std::string(path.substr(at));
}

std::string BareNameOf(std::string_view path, LeadByteTest isLead) {
  const std::string name = FileNameOf(path, isLead);
  return name.substr(0, name.size() - ExtensionOf(name, isLead).size());
}

}  // namespace text
