#pragma once
// The main window as designed: its properties and its pop-up menu tree.
// The window is built from this data; handlers are named, not coded, here.

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
  const char* onClick;     // the window's handler name, or nullptr
};

inline constexpr MenuEntryDescription kMainMenu[] = {
    {"mnuAll", u8"&Tamaroo", -1, 0, nullptr},
    {"mnuOpenURLFolder", u8"URL格納ﾌｫﾙﾀﾞを開く(&U)", 1, 1, "mnuOpenURLFolderClick"},
    {"mnuPaste", u8"クリップボードから追加(&P)", -1, 1, "mnuPasteClick"},
    {"mnuImport", u8"ブックマークを読み込む(&I)...", -1, 1, "mnuImportClick"},
    {"mnuExport", u8"ブックマークを書き出す(&X)...", -1, 1, "mnuExportClick"},
    {"mnuN2", u8"-", -1, 1, nullptr},
    {"mnuAbout", u8"ﾊﾞｰｼﾞｮﾝ情報(&A)", 3, 1, "mnuAboutClick"},
    {"mnuExit", u8"終了(&E)", 2, 1, "mnuExitClick"},
    {"mnuN1", u8"-", -1, 0, nullptr},
};

// Indices of the designed menu images.
enum MenuImage { kImageBookmark = 0, kImageFolder = 1, kImageExit = 2, kImageAbout = 3 };

}  // namespace resources
