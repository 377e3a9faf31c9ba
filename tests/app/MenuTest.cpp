// The pop-up menu and the moving of the real program's window.
#include <ole2.h>

#include "DragSourceProcess.h"
#include "DropAtOnce.h"
#include "ShellRecorder.h"
#include "TamarooTest.h"
#include "TestDataObject.h"
#include "image/Favicon.h"

namespace tamaroo_test {
namespace {

class TamarooMenu : public TamarooTest {
 protected:
  void SetUp() override {
    main = StartWithFace();
    ASSERT_TRUE(main);
  }

  // Asks for the menu as the system does after a right click or the menu key.
  HWND ContextMenu(int x, int y) {
    PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main), MAKELPARAM(x, y));
    return process->WaitForMenu();
  }

  void CloseMenu(HWND menu) {
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitUntil([this] { return process->VisibleWindows(L"#32768").empty(); });
  }

  HWND main = nullptr;
};

TEST_F(TamarooMenu, RightClickOpensTheMenuAtThePoint) {
  const HWND menu = ContextMenu(600, 340);
  ASSERT_TRUE(menu);
  const RECT r = WindowRect(menu);
  EXPECT_EQ(r.left, 600);
  EXPECT_EQ(r.top, 340);
  CloseMenu(menu);
}

TEST_F(TamarooMenu, MenuKeyOpensTheMenuAtTheWindowCorner) {
  const HWND menu = ContextMenu(-1, -1);
  ASSERT_TRUE(menu);
  const RECT r = WindowRect(menu);
  EXPECT_EQ(r.left, 581);
  EXPECT_EQ(r.top, 325);
  CloseMenu(menu);
}

TEST_F(TamarooMenu, AContextMenuRequestOutsideTheFaceOpensNothing) {
  PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main), MAKELPARAM(10, 10));
  SendMessageW(main, WM_NULL, 0, 0);  // the request has been handled once this returns
  EXPECT_TRUE(process->VisibleWindows(L"#32768").empty());
}

TEST_F(TamarooMenu, TheExitEntryEndsTheProgramAndWritesThePosition) {
  SetWindowPos(main, nullptr, 70, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const HWND menu = ContextMenu(100, 100);
  ASSERT_TRUE(menu);
  Key(menu, VK_DOWN);   // the title entry
  Key(menu, VK_RIGHT);  // its sub-menu, first entry
  Key(menu, VK_UP);     // round to the last entry: exit
  Key(menu, VK_RETURN);
  EXPECT_EQ(process->WaitForExit(), 0u);
  EXPECT_EQ(Setting("Left"), "70");
  EXPECT_EQ(Setting("Top"), "80");
}

TEST_F(TamarooMenu, ABookmarkChosenFromTheMenuIsOpenedByTheShell) {
  RegisterShellRecorder();
  CloseAndExpectExit();
  CreateDirectoryA((exeFolder.Path() + "favorite").c_str(), nullptr);
  for (const char* name : {"a.url", "b.url", "c.url"})
    exeFolder.Write(std::string("favorite\\") + name, "[InternetShortcut]\r\n");
  main = StartCleanly();
  const HWND menu = ContextMenu(-1, -1);
  ASSERT_TRUE(menu);
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) Key(menu, key);  // title, find, a, b
  EXPECT_EQ(ShellOpened(workFolder.Path(), 1),
            std::vector<std::wstring>{win::FromAnsi(exeFolder.Path() + "favorite\\b.url")});
}

// Real key presses, as the hand gives them: down in turn, up the other way round.
void Press(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  const auto add = [&](WORD key, DWORD flags) {
    INPUT& input = inputs.emplace_back();
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
  };
  for (const WORD key : keys) add(key, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) add(*key, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// From outside: the menu then F opens the search window; what is typed finds
// bookmarks in a fullwidth form, each keystroke selecting the best again
// after Down moved on, and Enter opens it through the shell; Esc clears the text, a second closes the window. The
// hotkey Settings.ini names opens it over another program; one that another
// program holds is said at the start, and the program runs on.
TEST_F(TamarooMenu, TypingFindsABookmarkAndEnterOpensIt) {
  RegisterShellRecorder();
  CloseAndExpectExit();
  const std::string settings = exeFolder.Path() + "Settings.ini";
  WritePrivateProfileStringA("General", "HotKey", "Ctrl+Alt+F11", settings.c_str());
  ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F11));
  process = Start();
  const HWND box = process->WaitForFailureBox();
  ASSERT_TRUE(box);
  EXPECT_NE(BoxText(box).find(L"Ctrl+Alt+F11"), std::wstring::npos);
  DismissBox(box);
  CloseAndExpectExit();
  UnregisterHotKey(nullptr, 1);
  for (const char* folder : {"favorite", "favorite\\news"})
    CreateDirectoryA((exeFolder.Path() + folder).c_str(), nullptr);
  for (const char* name : {"Tokyo.url", "news\\Tokyo weather.url", "news\\Osaka.url"})
    exeFolder.Write(std::string("favorite\\") + name, "[InternetShortcut]\r\nURL=https://example.com/\r\n");
  main = StartCleanly();
  const HWND menu = ContextMenu(-1, -1);
  ASSERT_TRUE(menu);
  PostMessageW(menu, WM_CHAR, L'f', 0);
  const HWND find = process->WaitForWindow(L"TfrmFind", nullptr);
  ASSERT_TRUE(find);
  const HWND edit = FindWindowExW(find, nullptr, L"Edit", nullptr);
  for (const wchar_t c : std::wstring_view(L"ｔｏ")) PostMessageW(edit, WM_CHAR, c, 0);
  Key(edit, VK_DOWN);  // to "Tokyo weather", the second
  PostMessageW(edit, WM_CHAR, L'k', 0);
  Key(edit, VK_RETURN);
  EXPECT_EQ(ShellOpened(workFolder.Path(), 1),
            std::vector<std::wstring>{win::FromAnsi(exeFolder.Path() + "favorite\\Tokyo.url")});
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(find); }));
  PostMessageW(main, WM_CHAR, 0x06, 0);  // Ctrl+F
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(find); }));
  Key(edit, VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return GetWindowTextLengthW(edit) == 0; }));
  EXPECT_TRUE(IsWindowVisible(find));
  Key(edit, VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(find); }));
  // Another program in front; the hotkey brings the search window over it.
  const HWND other =
      CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  Press({VK_CONTROL, VK_MENU, VK_F11});
  EXPECT_TRUE(WaitUntil([&] {
    DispatchWaiting();
    return IsWindowVisible(find) && GetForegroundWindow() == find;
  }));
  DestroyWindow(other);
}

// From outside: a folder named in Settings.ini that appears after the start
// fills the menu in the order kept there; an order chosen from the menu is
// kept across the close and a restart; a folder's bookmarks open all at once.
TEST_F(TamarooMenu, ANamedFolderFillsInTheChosenOrderAndOpensAllAtOnce) {
  RegisterShellRecorder();
  CloseAndExpectExit();
  const TempFolder synced;
  const std::string marks = synced.Path() + "marks\\", settings = exeFolder.Path() + "Settings.ini";
  WritePrivateProfileStringA("General", "Folder", marks.c_str(), settings.c_str());
  WritePrivateProfileStringA("General", "Order", "Name", settings.c_str());
  synced.Write("marks", "in the way, as an unplugged drive is");
  process = Start();
  const HWND box = process->WaitForWindow(L"#32770", L"Tamaroo");
  ASSERT_TRUE(box) << "the folder not reached is not said";
  DismissBox(box);
  main = process->WaitForMainWindow();
  DeleteFileA(marks.substr(0, marks.size() - 1).c_str());
  for (const char* folder : {"marks", "marks\\news"}) CreateDirectoryA((synced.Path() + folder).c_str(), nullptr);
  for (const char* name : {"zeta.url", "Alpha.url", "news\\n1.url", "news\\n2.url", "item 10.url", "item 9.url"}) {
    synced.Write(std::string("marks\\") + name, "[InternetShortcut]\r\n");
    Sleep(20);  // each made at a time of its own
  }
  // The first bookmark, after the title and the folder "news".
  const auto openFirst = [&](size_t opened) {
    const HWND menu = ContextMenu(-1, -1);
    if (menu)
      for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) Key(menu, key);
    return ShellOpened(workFolder.Path(), opened).back();
  };
  EXPECT_EQ(openFirst(1), win::FromAnsi(marks + "Alpha.url"));
  // Title, its sub-menu, past open folder, paste, import and export to the
  // order's sub-menu, its third entry: newest first.
  HWND menu = ContextMenu(-1, -1);
  ASSERT_TRUE(menu);
  for (WPARAM key : {VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN})
    Key(menu, key);
  WaitUntil([this] { return process->VisibleWindows(L"#32768").empty(); });
  CloseAndExpectExit();
  EXPECT_EQ(Setting("Order"), "Added");
  main = StartCleanly();
  EXPECT_EQ(openFirst(2), win::FromAnsi(marks + "item 9.url"));

  // Under load a key can reach a menu that is still opening and be lost
  // there: then the folder's menu is asked for again, as a user would.
  std::vector<std::wstring> all;
  // The pointer away from where the folder's menu opens, so that it selects nothing there.
  SetCursorPos(0, 0);
  for (int attempt = 0; attempt < 3 && all.size() < 4; ++attempt) {
    for (const HWND open : process->VisibleWindows(L"#32768")) CloseMenu(open);
    menu = ContextMenu(-1, -1);
    ASSERT_TRUE(menu);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_APPS}) Key(menu, key);  // the folder's own menu
    WaitUntil([this] { return process->VisibleWindows(L"#32768").size() == 2; });
    Sleep(200);
    for (const HWND own : process->VisibleWindows(L"#32768"))
      if (own != menu)
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) Key(own, key);  // past フォルダーを開く
    all = ShellOpened(workFolder.Path(), 4);
  }
  std::sort(all.begin() + 2, all.end());
  EXPECT_EQ(all,
            (std::vector<std::wstring>{win::FromAnsi(marks + "Alpha.url"), win::FromAnsi(marks + "item 9.url"),
                                       win::FromAnsi(marks + "news\\n1.url"), win::FromAnsi(marks + "news\\n2.url")}));
}

using TamarooDrop = TamarooTest;

// On a full disk a dragged link is refused whole with a box that keeps no
// sender waiting, and once there is room the same name stores.
TEST_F(TamarooDrop, AFullDiskStoresNothingHoldsNoSenderAndStoresOnceThereIsRoom) {
  const std::string disk = TAMAROO_SMALL_DISK;
  const std::string exe = disk + "\\exe\\";
  if (!CreateDirectoryA(exe.c_str(), nullptr)) GTEST_SKIP() << "no small disk at " << disk;
  const struct Remove {
    std::string tree;
    ~Remove() { RemoveTree(tree); }
  } remove{exe};
  workFolder.Write("glyph.bmp", Face(205, 118));
  {
    TamarooProcess tamaroo(exe, workFolder.Path());
    ASSERT_TRUE(tamaroo.WaitForMainWindow());
    const std::string filler = disk + "\\filler";
    FillDisk(filler);
    const struct Free {
      std::string path;
      ~Free() { DeleteFileA(path.c_str()); }
    } free{filler};
    EXPECT_EQ(Drag(L"680 380 chromium https://example.com/ Example"), DWORD{DROPEFFECT_COPY});
    const HWND box = tamaroo.WaitForFailureBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(BoxText(box), L"Example.url を格納できません.");
    EXPECT_EQ(FileNames(exe + "favorite\\"), std::vector<std::string>{});
    DismissBox(box);

    DeleteFileA(filler.c_str());
    EXPECT_EQ(Drag(L"680 380 chromium https://example.com/ Example"), DWORD{DROPEFFECT_COPY});
    EXPECT_TRUE(WaitUntil([&] { return !FileNames(exe + "favorite\\").empty(); }));
    EXPECT_EQ(FileNames(exe + "favorite\\"), std::vector<std::string>{"Example.url"});
    PostMessageW(tamaroo.WaitForMainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(tamaroo.WaitForExit(), 0u);
  }
}

struct HeldOver {
  std::wstring offer;  // drag_source's kind and what it offers
  bool framed;
  DWORD effect;
};

// Seen from outside, in the face's own pixels, while a second process holds
// a drag over it: a frame while the drag would be taken, none for one it
// refuses, and none once the drag has dropped.
TEST_F(TamarooDrop, TheFaceIsFramedOnlyWhileADragItTakesIsOverIt) {
  workFolder.Write("notes.txt", "not a shortcut");
  const HWND main = StartWithFace();
  ASSERT_TRUE(main);
  RECT client;
  GetClientRect(main, &client);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const auto framed = [&] {
    return PixelAt(main, 1, 1) == highlight && PixelAt(main, client.right - 2, client.bottom - 2) == highlight;
  };
  ASSERT_FALSE(framed());
  const RECT face = WindowRect(main);
  const std::wstring at =
      std::to_wstring((face.left + face.right) / 2) + L" " + std::to_wstring((face.top + face.bottom) / 2) + L" ";
  const std::wstring notes = win::FromAnsi(workFolder.Path() + "notes.txt");
  for (const HeldOver& row : std::vector<HeldOver>{
           {L"chromium https://example.com/ Example", true, DROPEFFECT_COPY},
           {L"chromium javascript:alert(1) Script", false, DROPEFFECT_NONE},
           {L"file \"" + notes + L"\" -", false, DROPEFFECT_NONE},
       }) {
    SCOPED_TRACE(testing::Message() << win::ToUtf8(row.offer));
    HeldDrag drag(at + row.offer);
    ASSERT_TRUE(drag.WaitUntilOver());
    // A frame asked for by mistake would be painted well within the second.
    EXPECT_EQ(WaitUntil(framed, row.framed ? 5 : 1), row.framed);
    EXPECT_EQ(drag.Drop(), row.effect);
    EXPECT_TRUE(WaitUntil([&] { return !framed(); }));
  }
}

// Shortcuts added or removed in the folder while the program runs show at
// the next opening, and a removed one's entry is gone instead of answering
// with a box.
TEST_F(TamarooMenu, TheMenuFollowsItsFolder) {
  RegisterShellRecorder();
  for (const char* name : {"added.url", "later.url"}) {
    exeFolder.Write(std::string("favorite\\") + name, "[InternetShortcut]\r\n");
    if (name[0] == 'l') DeleteFileA((exeFolder.Path() + "favorite\\added.url").c_str());
    // The change notice comes through the program's loop, a moment later
    // under load: until then the one entry is the old one.
    const size_t opened = ShellOpened(workFolder.Path(), 0).size();
    for (int attempt = 0; attempt < 10 && ShellOpened(workFolder.Path(), 0).size() == opened; ++attempt) {
      Sleep(200);
      const HWND menu = ContextMenu(-1, -1);
      ASSERT_TRUE(menu);
      for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) Key(menu, key);  // title, find, the one bookmark
      WaitUntil(
          [&] {
            return ShellOpened(workFolder.Path(), 0).size() > opened || !process->VisibleWindows(L"#32770").empty();
          },
          3);
      for (const HWND box : process->VisibleWindows(L"#32770")) DismissBox(box);
    }
  }
  EXPECT_EQ(ShellOpened(workFolder.Path(), 2),
            (std::vector<std::wstring>{win::FromAnsi(exeFolder.Path() + "favorite\\added.url"),
                                       win::FromAnsi(exeFolder.Path() + "favorite\\later.url")}));
}

// From outside, as the hand does it: Del on a selected entry sends its file to
// the Recycle Bin; F2 renames one through the name dialog.
TEST_F(TamarooMenu, DelAndF2OnASelectedEntryDeleteAndRename) {
  const std::string trashFiles = TrashFolder();
  if (trashFiles.empty()) GTEST_SKIP() << "no XDG_DATA_HOME for the trash";
  const std::string doomed = "doomed-" + std::to_string(GetCurrentProcessId()) + ".url";
  for (const std::string& name : {doomed, std::string("keep.url")})
    exeFolder.Write("favorite\\" + name, "[InternetShortcut]\r\n");
  Sleep(200);  // the change notice comes through the program's loop
  HWND menu = ContextMenu(-1, -1);
  ASSERT_TRUE(menu);
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DELETE})
    Key(menu, key);  // title, find, the doomed one (written first)
  EXPECT_TRUE(WaitUntil([&] { return !exeFolder.Exists("favorite\\" + doomed); }));
  EXPECT_NE(GetFileAttributesA((trashFiles + doomed).c_str()), INVALID_FILE_ATTRIBUTES) << trashFiles + doomed;

  // Opened again without it. Under load, keys can reach a menu that is about
  // to close and be lost there: then F2 is pressed again in a new opening, as
  // a user would.
  HWND dialog = nullptr;
  for (int attempt = 0; attempt < 3 && !dialog; ++attempt) {
    if (attempt) {
      CloseMenu(menu);
      menu = ContextMenu(-1, -1);
    } else {
      WaitUntil([menu] { return !IsWindow(menu) || !IsWindowVisible(menu); });
      menu = process->WaitForMenu();
    }
    ASSERT_TRUE(menu);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_F2}) Key(menu, key);
    dialog = process->WaitForWindow(L"TNameForm", L"名前の変更");
  }
  ASSERT_TRUE(dialog);
  SetDlgItemTextW(dialog, 100, L"kept");
  SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return exeFolder.Exists("favorite\\kept.url"); }));
  EXPECT_FALSE(exeFolder.Exists("favorite\\keep.url"));
  if (const HWND reopened = process->WaitForMenu()) CloseMenu(reopened);
}

TEST_F(TamarooMenu, ALinkDraggedFromABrowserBecomesABookmark) {
  RegisterShellRecorder();
  EXPECT_EQ(Drag(L"680 380 chromium https://example.com/ \"Example: Domain\""), DWORD{DROPEFFECT_COPY});
  EXPECT_EQ(Drag(L"680 380 chromium javascript:alert(1) Script"), DWORD{DROPEFFECT_NONE});
  EXPECT_TRUE(WaitUntil([&] { return exeFolder.Exists("favorite\\Example_ Domain.url"); }));
  EXPECT_EQ(exeFolder.Read("favorite\\Example_ Domain.url"), "[InternetShortcut]\r\nURL=https://example.com/\r\n");
  const HWND menu = ContextMenu(-1, -1);
  ASSERT_TRUE(menu);
  for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) Key(menu, key);  // title, find, the new bookmark
  EXPECT_EQ(ShellOpened(workFolder.Path(), 1),
            std::vector<std::wstring>{win::FromAnsi(exeFolder.Path() + "favorite\\Example_ Domain.url")});
}

TEST_F(TamarooMenu, AClickWithoutMovingOpensTheMenuAtTheCursor) {
  Mouse(0, 620, 350);
  Mouse(MOUSEEVENTF_LEFTDOWN, 620, 350);
  Mouse(MOUSEEVENTF_LEFTUP, 620, 350);
  const HWND menu = process->WaitForMenu();
  ASSERT_TRUE(menu);
  const RECT r = WindowRect(menu);
  EXPECT_EQ(r.left, 620);
  EXPECT_EQ(r.top, 350);
  CloseMenu(menu);
  EXPECT_EQ(WindowRect(main).left, 581);
}

TEST_F(TamarooMenu, DraggingTheFaceMovesTheWindow) {
  Mouse(0, 600, 340);
  Mouse(MOUSEEVENTF_LEFTDOWN, 600, 340);
  for (int step = 1; step <= 5; ++step) Mouse(0, 600 + step * 20, 340 + step * 10);
  Mouse(MOUSEEVENTF_LEFTUP, 700, 390);
  EXPECT_TRUE(WaitUntil([this] { return WindowRect(main).left == 681 && WindowRect(main).top == 375; }))
      << WindowRect(main).left << ", " << WindowRect(main).top;
  EXPECT_TRUE(process->VisibleWindows(L"#32768").empty());  // a drag is not a click
  CloseAndExpectExit();
  EXPECT_EQ(Setting("Left"), "681");
  EXPECT_EQ(Setting("Top"), "375");
}

TEST_F(TamarooMenu, TheSecondPressOfADoubleClickMovesTheWindowToo) {
  // The first press moves the window a little, so it opens no menu.
  Mouse(0, 600, 340);
  Mouse(MOUSEEVENTF_LEFTDOWN, 600, 340);
  Mouse(0, 601, 340);
  Mouse(MOUSEEVENTF_LEFTUP, 601, 340);
  ASSERT_TRUE(WaitUntil([this] { return WindowRect(main).left == 582; })) << WindowRect(main).left;
  Mouse(MOUSEEVENTF_LEFTDOWN, 601, 340);
  for (int step = 1; step <= 5; ++step) Mouse(0, 601 + step * 20, 340 + step * 10);
  Mouse(MOUSEEVENTF_LEFTUP, 701, 390);
  EXPECT_TRUE(WaitUntil([this] { return WindowRect(main).left == 682 && WindowRect(main).top == 375; }))
      << WindowRect(main).left << ", " << WindowRect(main).top;
  EXPECT_TRUE(process->VisibleWindows(L"#32768").empty());
}

// A browser's bookmark file dropped from the shell is read in: its folder
// becomes a subfolder holding the web links, a script link is skipped, and an
// information box says how many.
TEST_F(TamarooDrop, ABookmarkFileDroppedFromTheShellIsImportedAndCounted) {
  ASSERT_TRUE(StartWithFace());
  const std::string icon = image::PngDataUrl(image::PngOfPixels(std::vector<std::uint8_t>(16 * 16 * 4, 0x80), 16, 16));
  workFolder.Write("Bookmarks.HTML",
                   "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
                   "<DT><H3 ADD_DATE=\"1700000000\">Tools</H3>\n<DL><p>\n"
                   "<DT><A HREF=\"https://example.com/\" ICON=\"" +
                       icon +
                       "\">Example</A>\n"
                       "<DT><A HREF=\"javascript:alert(1)\">Script</A>\n"
                       "<DT><A HREF=\"https://www.mozilla.org/\" ICON=\"data:image/png;base64,AAAA\">Mozilla</A>\n"
                       "</DL><p>\n</DL><p>\n");
  {
    // Dragged from this process as Explorer offers a file.
    OleInitialize(nullptr);
    SetCursorPos(680, 380);
    TestDataObject data({{CF_HDROP, FileList({win::FromAnsi(workFolder.Path() + "Bookmarks.HTML")})}});
    DropAtOnce source;
    DWORD effect = DROPEFFECT_NONE;
    EXPECT_EQ(DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect),
              DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_COPY});
  }
  OleUninitialize();
  const HWND box = process->WaitForFailureBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(BoxText(box),
            L"2 件のブックマークを読み込みました。(1 件は読み込みませんでした)"
            L"(1 件のサイトの画像は読み込めませんでした)");
  EXPECT_EQ(FileNames(exeFolder.Path() + "favorite\\"), (std::vector<std::string>{".favicons", "Tools"}));
  EXPECT_EQ(FileNames(exeFolder.Path() + "favorite\\Tools\\"),
            (std::vector<std::string>{"Example.url", "Mozilla.url"}));
  const std::vector<std::string> pictures = FileNames(exeFolder.Path() + "favorite\\.favicons\\");
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(exeFolder.Read("favorite\\Tools\\Example.url"),
            "[InternetShortcut]\r\nURL=https://example.com/\r\nIconFile=" + exeFolder.Path() + "favorite\\.favicons\\" +
                pictures[0] + "\r\nIconIndex=0\r\n");
  EXPECT_EQ(exeFolder.Read("favorite\\Tools\\Mozilla.url"), "[InternetShortcut]\r\nURL=https://www.mozilla.org/\r\n");
  DismissBox(box);
  CloseAndExpectExit();
}

}  // namespace
}  // namespace tamaroo_test
