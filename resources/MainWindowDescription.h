#pragma once
// The main window as designed: its properties, its pop-up menu tree, the
// menu of a bookmark's or a folder's own entry, and the keys, each entry and
// key with the command it sends (resources/Commands.h).
#include <windows.h>

#include "resources/Commands.h"

namespace resources {

struct WindowDescription {
  const char8_t* caption;
  int clientWidth;
  int clientHeight;
  int left;
  int top;
};

inline constexpr WindowDescription kMainWindow{u8"Tamaroo", 205, 118, 250, 247};

struct MenuEntryDescription {
  const char* name;
  const char8_t* caption;  // "-" is a separator line
  int imageIndex;          // into the menu image list; -1 for none
  int depth;               // 0 for the top level, 1 for the title entry's sub-menu
  Command command;         // CmdNone for a separator or an entry with sub-entries
};

inline constexpr MenuEntryDescription kMainMenu[] = {
    {"mnuAll", u8"&Tamaroo", -1, 0, CmdNone},
    {"mnuOpenURLFolder", u8"URL格納ﾌｫﾙﾀﾞを開く(&U)", 1, 1, CmdOpenURLFolder},
    {"mnuPaste", u8"クリップボードから追加(&P)", -1, 1, CmdPaste},
    {"mnuImport", u8"ブックマークを読み込む(&I)...", -1, 1, CmdImport},
    {"mnuExport", u8"ブックマークを書き出す(&X)...", -1, 1, CmdExport},
    {"mnuOrder", u8"並べ替え(&S)", -1, 1, CmdNone},
    {"mnuOrderListed", u8"フォルダーの順(&F)", -1, 2, CmdOrderListed},
    {"mnuOrderName", u8"名前順(&N)", -1, 2, CmdOrderName},
    {"mnuOrderAdded", u8"追加した順 (新しい順)(&D)", -1, 2, CmdOrderAdded},
    {"mnuFindDuplicates", u8"重複を探す(&D)...", -1, 1, CmdFindDuplicates},
    {"mnuN2", u8"-", -1, 1, CmdNone},
    {"mnuAbout", u8"ﾊﾞｰｼﾞｮﾝ情報(&A)", 3, 1, CmdAbout},
    {"mnuExit", u8"終了(&E)", 2, 1, CmdExit},
    {"mnuFind", u8"検索(&F)...", -1, 0, CmdFind},
    {"mnuN1", u8"-", -1, 0, CmdNone},
};

// The menu of one bookmark's or folder's entry, opened over the menu.
struct EntryMenuDescription {
  const char8_t* caption;  // "-" is a separator line
  Command command;
  bool forBookmark;
  bool forFolder;
};

inline constexpr EntryMenuDescription kEntryMenu[] = {
    {u8"開く(&O)", CmdEntryOpen, true, false},
    {u8"フォルダーを開く(&O)", CmdEntryOpen, false, true},
    {u8"すべて開く(&A)", CmdEntryOpenAll, false, true},
    {u8"名前の変更(&M)...", CmdEntryRename, true, true},
    {u8"URL をコピー(&C)", CmdEntryCopyUrl, true, false},
    {u8"-", CmdNone, true, true},
    {u8"削除(&D)", CmdEntryDelete, true, true},
};

// Keys on the selected entry of the open menu; a right click on an entry
// opens its own menu too.
struct KeyDescription {
  unsigned key;
  bool shift;
  Command command;
};

inline constexpr KeyDescription kEntryKeys[] = {
    {VK_APPS, false, CmdEntryMenu},
    {VK_F10, true, CmdEntryMenu},
    {VK_DELETE, false, CmdEntryDelete},
    {VK_F2, false, CmdEntryRename},
};
inline constexpr Command kEntryRightClick = CmdEntryMenu;

// Characters typed on the face.
struct FaceKeyDescription {
  wchar_t character;
  Command command;
};

inline constexpr FaceKeyDescription kFaceKeys[] = {
    {L'\x16', CmdPaste},  // Ctrl+V
    {L'\x06', CmdFind},   // Ctrl+F
    {L'\x1B', CmdStop},   // Esc
};

// The search window: the hotkey that opens it from anywhere when Settings.ini
// names none, and how many results it shows at most.
inline constexpr char kDefaultFindKey[] = "Ctrl+Alt+Space";
inline constexpr size_t kFoundRows = 12;

// Indices of the designed menu images.
enum MenuImage { kImageBookmark = 0, kImageFolder = 1, kImageExit = 2, kImageAbout = 3 };

}  // namespace resources
