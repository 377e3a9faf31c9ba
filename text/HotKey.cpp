#include "text/HotKey.h"

#include <algorithm>

namespace text {
namespace {

struct Named {
  std::string_view name;
  unsigned value;
};

constexpr Named kModifiers[] = {
    {"ctrl", HotKey::kCtrl},   {"control", HotKey::kCtrl}, {"alt", HotKey::kAlt},
    {"shift", HotKey::kShift}, {"win", HotKey::kWin},
};

// Virtual-key codes.
constexpr Named kKeys[] = {
    {"space", 0x20},  {"enter", 0x0D},  {"tab", 0x09},    {"home", 0x24},     {"end", 0x23},
    {"insert", 0x2D}, {"delete", 0x2E}, {"pageup", 0x21}, {"pagedown", 0x22}, {"up", 0x26},
    {"down", 0x28},   {"left", 0x25},   {"right", 0x27},  {"pause", 0x13},
};

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return out;
}

std::optional<unsigned> Find(const auto& table, std::string_view name) {
  const auto found = std::ranges::find(table, name, &Named::name);
  if (found == std::end(table)) return std::nullopt;
  return found->value;
}

std::optional<unsigned> KeyOf(const std::string& name) {
  if (name.size() == 1 && ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= '0' && name[0] <= '9')))
    return static_cast<unsigned>(name[0] >= 'a' ? name[0] - 'a' + 'A' : name[0]);
  if (name.size() >= 2 && name.size() <= 3 && name[0] == 'f' &&
      std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; }) && name[1] != '0') {
    const unsigned number = static_cast<unsigned>(std::stoi(name.substr(1)));
    if (number >= 1 && number <= 24) return 0x70 + number - 1;
    return std::nullopt;
  }
  return Find(kKeys, name);
}

}  // namespace

std::optional<HotKey> ParseHotKey(std::string_view written) {
  HotKey hotKey;
  bool keyed = false;
  for (size_t at = 0; at <= written.size();) {
    const size_t plus = std::min(written.find('+', at), written.size());
    const std::string part = Lower(Trimmed(written.substr(at, plus - at)));
    at = plus + 1;
    if (keyed) return std::nullopt;  // the key comes last
    if (const std::optional<unsigned> modifier = Find(kModifiers, part)) {
      if (hotKey.modifiers & *modifier) return std::nullopt;
      hotKey.modifiers |= *modifier;
    } else if (const std::optional<unsigned> key = KeyOf(part)) {
      hotKey.key = *key;
      keyed = true;
    } else {
      return std::nullopt;
    }
  }
  if (!keyed || (hotKey.modifiers & ~HotKey::kShift) == 0) return std::nullopt;
  return hotKey;
}

}  // namespace text
