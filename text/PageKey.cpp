#include "text/PageKey.h"

#include <algorithm>
#include <charconv>

#include "text/InternetShortcut.h"

namespace text {
namespace {

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsScheme(std::string_view s) {
  return !s.empty() && IsAlpha(s.front()) && std::all_of(s.begin(), s.end(), [](char c) {
    return IsAlpha(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
  });
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return out;
}

// No port, ":" alone, or ":" and the scheme's default port, leading zeros and all.
bool IsDefaultPort(std::string_view lowerScheme, std::string_view port) {
  if (port.size() <= 1) return true;
  unsigned value = 0;
  const char* end = port.data() + port.size();
  const auto [stop, error] = std::from_chars(port.data() + 1, end, value);
  if (error != std::errc() || stop != end) return false;
  return (lowerScheme == "http" && value == 80) || (lowerScheme == "https" && value == 443) ||
         (lowerScheme == "ftp" && value == 21);
}

}  // namespace

std::string PageKey(std::string_view url) {
  const std::string_view host = UrlHost(url);
  const size_t schemeEnd = url.find("://");
  if (host.empty() || !IsScheme(url.substr(0, schemeEnd))) return std::string(url);
  const std::string scheme = Lower(url.substr(0, schemeEnd));
  const size_t hostAt = host.data() - url.data();
  const size_t authorityEnd = std::min(url.find_first_of("/?#\\", hostAt), url.size());
  const std::string_view port = url.substr(hostAt + host.size(), authorityEnd - hostAt - host.size());
  std::string_view rest = url.substr(authorityEnd);
  if (rest.substr(0, rest.find_first_of("?#")) == "/") rest.remove_prefix(1);
  std::string key = scheme;
  key += url.substr(schemeEnd, hostAt - schemeEnd);
  key += Lower(host);
  if (!IsDefaultPort(scheme, port)) key += port;
  key += rest;
  return key;
}

}  // namespace text
