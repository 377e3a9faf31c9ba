#pragma once
// A key combination as the user writes it in Settings.ini: "Ctrl+Alt+Space".
#include <optional>
#include <string>
#include <string_view>

namespace text {

// The system's own numbers: modifiers as RegisterHotKey takes them, the key
// as a virtual-key code.
struct HotKey {
  enum : unsigned { kAlt = 1, kCtrl = 2, kShift = 4, kWin = 8 };
  unsigned modifiers = 0;
  unsigned key = 0;
};

// Modifiers ("Ctrl", "Alt", "Shift", "Win", any case, any order) and one key
// ("A"-"Z", "0"-"9", "F1"-"F24", "Space", "Enter", "Tab", "Home", "End",
// "Insert", "Delete", "PageUp", "PageDown", "Up", "Down", "Left", "Right",
// "Pause"), joined by "+", blanks around each allowed. At least one modifier
// other than Shift, so typing never fires it. Nothing when it is not so.
std::optional<HotKey> ParseHotKey(std::string_view written);

}  // namespace text
