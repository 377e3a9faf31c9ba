#include "text/HotKey.h"

#include <gtest/gtest.h>

namespace {

using text::HotKey;

TEST(HotKey, ReadsWhatTheUserWrites) {
  const struct {
    const char* written;
    unsigned modifiers, key;  // 0, 0: not a hotkey
  } cases[] = {
      {"Ctrl+Alt+Space", HotKey::kCtrl | HotKey::kAlt, 0x20},
      {" shift + WIN + f12 ", HotKey::kShift | HotKey::kWin, 0x7B},
      {"Control+Alt+b", HotKey::kCtrl | HotKey::kAlt, 'B'},
      {"Ctrl+Alt+PageDown", HotKey::kCtrl | HotKey::kAlt, 0x22},
      {"Alt+7", HotKey::kAlt, '7'},
      {"Shift+A", 0, 0},
      {"Ctrl+Alt", 0, 0},
      {"Ctrl+Ctrl+A", 0, 0},
      {"Ctrl+A+Alt", 0, 0},
      {"Ctrl+F25", 0, 0},
      {"Ctrl+F0", 0, 0},
      {"Ctrl++", 0, 0},
      {"", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    const std::optional<HotKey> read = text::ParseHotKey(c.written);
    EXPECT_EQ(read ? read->modifiers : 0, c.modifiers);
    EXPECT_EQ(read ? read->key : 0, c.key);
  }
}

}  // namespace
