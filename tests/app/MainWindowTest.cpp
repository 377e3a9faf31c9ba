// The main window in this process, where its menu can be looked into and its
// bookmarks stored and chosen directly.
#include "app/MainWindow.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "MenuCaptions.h"
#include "ModalProbe.h"
#include "RefuseWindows.h"
#include "ShellRecorder.h"
#include "TamarooProcess.h"
#include "app/FailureTexts.h"
#include "text/FailureText.h"
#include "text/Layout.h"
#include "win/Application.h"
#include "win/Dpi.h"
#include "win/Failure.h"
#include "win/NameDialog.h"
#include "win/WideText.h"

namespace tamaroo_test {
namespace {

using Captions = std::vector<std::wstring>;

const std::string kShortcut = "[InternetShortcut]\r\nURL=https://example.com/\r\n";

class MainWindowMenu : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterShellRecorder(); }

  void SetUp() override {
    win::UseFailureTexts(app::kFailureTexts);
    GetCurrentDirectoryA(MAX_PATH, previousFolder);
    work.Write("glyph.bmp", std::vector<unsigned char>{});  // an empty face: no box
    SetCurrentDirectoryA(work.Path().c_str());
  }
  void TearDown() override {
    window.reset();
    SetCurrentDirectoryA(previousFolder);
  }

  void Start() { window = std::make_unique<app::TfrmMain>(exe.Path()); }
  std::string Favorite() const { return exe.Path() + "favorite\\"; }

  // The captions of the top level and of one of its sub-menus, as shown.
  std::pair<Captions, Captions> Shown(int subMenu = 0) {
    std::pair<Captions, Captions> shown;
    RunWithProbe([&] { SendMessageW(window->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1)); },
                 [&] {
                   const HWND menuWindow = ThreadWindow(L"#32768");
                   const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
                   // Filled as the system has it filled before it opens.
                   const HMENU sub = GetSubMenu(menu, subMenu);
                   SendMessageW(window->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), subMenu);
                   shown = {MenuCaptions(menu), MenuCaptions(sub)};
                   EndMenu();
                 });
    return shown;
  }

  // Runs `action`, which must show a failure box, and returns the box's text.
  static std::wstring FailureOf(const std::function<void()>& action) {
    std::wstring text;
    RunWithProbe(action, [&] {
      const HWND box = ThreadWindow(L"#32770");
      text = BoxText(box);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    return text;
  }

  // As the menu does: the entry's command reaches the window.
  void Choose(const win::MenuItem& item) { Choose(item.Command); }
  void Choose(UINT command) { SendMessageW(window->Handle(), WM_COMMAND, command, 0); }
  // The bookmark entries at the top level, as captions.
  Captions TopBookmarks() const {
    Captions captions;
    for (const UINT entry : window->Bookmarks().EntriesIn(0)) captions.push_back(window->Bookmarks().CaptionOf(entry));
    return captions;
  }

  char previousFolder[MAX_PATH] = "";
  TempFolder exe, work, elsewhere;
  win::Application application{L"Tamaroo", L"MAINICON"};
  std::unique_ptr<app::TfrmMain> window;
};

void DispatchWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

using MainWindowLife = MainWindowMenu;

TEST_F(MainWindowLife, LeavesNoMainWindowBehindWhenDestroyedOrRefused) {
  Start();
  window.reset();
  EXPECT_EQ(app::frmMain, nullptr);
  EXPECT_EQ(application.MainWindow(), nullptr);

  try {
    const RefuseWindows refuse(L"TfrmMain");
    app::TfrmMain refused(exe.Path());
    ADD_FAILURE() << "a main window without a window";
  } catch (const win::Failure& failure) {
    EXPECT_EQ(failure.Text(), L"ウィンドウを作成できません");
  }
  EXPECT_EQ(app::frmMain, nullptr);
  EXPECT_EQ(application.MainWindow(), nullptr);
}

// Another program or the system asks the program to close while its menu is open.
TEST_F(MainWindowLife, ACloseRequestWhileTheMenuIsOpenEndsTheMenuAndCloses) {
  Start();
  bool menuOpen = false;
  UINT_PTR failSafe = 0;
  RunWithProbe([&] { SendMessageW(window->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1)); },
               [&] {
                 menuOpen = ThreadWindow(L"#32768") != nullptr;
                 PostMessageW(window->Handle(), WM_CLOSE, 0, 0);
                 // Should the request be lost, the test still ends.
                 failSafe = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
               });
  // Left running, it would close a menu of the tests after this one.
  KillTimer(nullptr, failSafe);
  EXPECT_TRUE(menuOpen);
  bool quit = false;
  WaitUntil([&] {
    MSG msg;
    while (!quit && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      quit = msg.message == WM_QUIT;
      DispatchMessageW(&msg);
    }
    return quit;
  });
  EXPECT_TRUE(quit) << "the program runs on";
}

// Dragged to a monitor of another scale, the face keeps its size and the
// menu's pictures take that monitor's.
TEST_F(MainWindowMenu, AnotherScaleResizesTheMenuPicturesButNotTheFace) {
  Start();
  RECT before;
  GetWindowRect(window->Handle(), &before);
  const UINT dpi = 2 * win::SystemDpi();
  RECT suggested{before.left + 10, before.top + 10, before.right + 300, before.bottom + 300};
  SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  RECT after;
  GetWindowRect(window->Handle(), &after);
  EXPECT_EQ(after.left, before.left + 10);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  MEASUREITEMSTRUCT picture{};
  picture.CtlType = ODT_MENU;
  ASSERT_TRUE(window->popMenu.MeasureItem(picture));
  EXPECT_EQ(picture.itemHeight, static_cast<UINT>(text::MenuArtSize(win::MetricForDpi(SM_CXSMICON, dpi))));
  EXPECT_GT(picture.itemHeight, static_cast<UINT>(win::MetricForDpi(SM_CXSMICON, win::SystemDpi())));
  EXPECT_EQ(window->popMenu.Find("mnuAll")->ImageIndex, 4) << "the title entry lost its icon";
}

TEST_F(MainWindowMenu, FirstStartMakesTheFolderAndShowsTheTitleWithItsIcon) {
  Start();
  EXPECT_EQ(GetFileAttributesA(Favorite().c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  const auto [top, sub] = Shown();
  EXPECT_EQ(top, Captions{L"Tamaroo"});
  EXPECT_EQ(sub, (Captions{L"URL格納ﾌｫﾙﾀﾞを開く(&U)", L"クリップボードから追加(&P)", L"ブックマークを読み込む(&I)...",
                           L"ブックマークを書き出す(&X)...", L"-", L"ﾊﾞｰｼﾞｮﾝ情報(&A)", L"終了(&E)"}));
  EXPECT_EQ(window->popMenu.Find("mnuAll")->ImageIndex, 4);
  Choose(*window->popMenu.Find("mnuOpenURLFolder"));
  EXPECT_EQ(ShellOpened(work.Path(), 1), std::vector<std::wstring>{win::FromAnsi(Favorite())});
}

TEST_F(MainWindowMenu, AFileInTheWayOfTheFolderStopsNothingButStoring) {
  exe.Write("favorite", "not a folder");
  elsewhere.Write("a.url", kShortcut);
  Start();
  EXPECT_EQ(window->UrlFolder, Favorite());
  EXPECT_EQ(exe.Read("favorite"), "not a folder");
  const std::wstring box =
      FailureOf([&] { EXPECT_FALSE(window->AddUrlFile(win::FromAnsi(elsewhere.Path() + "a.url"))); });
  EXPECT_EQ(box, L"a.url を格納できません.");
  EXPECT_EQ(TopBookmarks(), Captions{});
}

TEST_F(MainWindowMenu, StoredShortcutsBecomeEntriesThatOpenTheirFiles) {
  for (const char* folder : {"", "news", "news\\deep", "empty"})
    CreateDirectoryA((Favorite() + folder).c_str(), nullptr);
  for (const char* name : {"Q&A.url", "a.b.url", "-.url", "gone.url", "News.URL", "notes.txt", "news\\n1.url",
                           "news\\deep\\d1.url", "empty\\e.URL"})
    exe.Write(std::string("favorite\\") + name, kShortcut);
  Start();
  // Wine lists a folder sorted; "-" shows as the one separator before the bookmarks.
  const auto [top, news] = Shown(4);
  EXPECT_EQ(top, (Captions{L"Tamaroo", L"-", L"a.b", L"gone", L"news", L"Q&A"}));
  EXPECT_EQ(news, (Captions{L"deep", L"n1"}));
  const app::BookmarkMenu& marks = window->Bookmarks();
  EXPECT_EQ(marks.CaptionOf(marks.Find("popItem4")), L"news");
  for (const char* name : {"popItem2", "popItem5"}) Choose(marks.Find(name));
  Choose(marks.EntriesIn(marks.Find("popItem4"))[1]);
  std::vector<std::wstring> opened = ShellOpened(work.Path(), 3);
  std::sort(opened.begin(), opened.end());  // each recorder is a process of its own
  const std::wstring favorite = win::FromAnsi(Favorite());
  EXPECT_EQ(opened,
            (std::vector<std::wstring>{favorite + L"Q&A.url", favorite + L"a.b.url", favorite + L"news\\n1.url"}));
  DeleteFileA((Favorite() + "gone.url").c_str());
  EXPECT_EQ(FailureOf([&] { Choose(marks.Find("popItem3")); }),
            win::FromAnsi(Favorite()) + L"gone.url が見つかりません.");
}

// The bookmark entries below `folder`, sub-menus first-come.
void CollectBookmarks(const app::BookmarkMenu& marks, UINT folder, std::vector<UINT>& found) {
  for (const UINT entry : marks.EntriesIn(folder)) {
    if (!marks.IsFolder(entry)) found.push_back(entry);
    CollectBookmarks(marks, entry, found);
  }
}

// Names the code page cannot hold, folders it cannot hold or whose names end
// in a dot, names and paths past MAX_PATH: each gets an entry, captioned as
// the file system has it, that opens its own file.
TEST_F(MainWindowMenu, EveryShortcutInTheTreeGetsAnEntryThatOpensItsFile) {
  const std::wstring favorite = win::FromAnsi(Favorite());
  const std::wstring deep =
      L"k" + std::wstring(90, L'k') + L"\\" + std::wstring(90, L'm') + L"\\" + std::wstring(90, L'n') + L"\\";
  for (const std::wstring& folder :
       {std::wstring(), std::wstring(L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC\\"), std::wstring(L"dotend.\\"),
        deep.substr(0, 92), deep.substr(0, 183), deep})
    CreateDirectoryW((L"\\\\?\\" + favorite + folder).c_str(), nullptr);
  const std::vector<std::wstring> names = {L"snow \u2603.url",
                                           L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC\\g.url",
                                           L"dotend.\\d.url", std::wstring(251, L'l') + L".url", deep + L"deep.url"};
  std::vector<std::wstring> stored;
  for (const std::wstring& name : names) {
    const HANDLE file =
        CreateFileW((L"\\\\?\\" + favorite + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    WriteFile(file, kShortcut.data(), static_cast<DWORD>(kShortcut.size()), nullptr, nullptr);
    CloseHandle(file);
    stored.push_back(favorite + name);
  }
  Start();
  std::vector<UINT> entries;
  CollectBookmarks(window->Bookmarks(), 0, entries);
  Captions captions;
  for (const UINT entry : entries) captions.push_back(window->Bookmarks().CaptionOf(entry));
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ(captions, (Captions{L"d", L"deep", L"g", std::wstring(251, L'l'), L"snow \u2603"}));

  for (const UINT entry : entries) Choose(entry);
  // Past MAX_PATH, or with a name ending in a dot, the shell is handed the
  // short form of the path: compare the files, not the names.
  const auto identity = [](const std::wstring& path) {
    const HANDLE file =
        CreateFileW((L"\\\\?\\" + path).c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    const bool found = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return found ? std::to_wstring(info.nFileIndexHigh) + L":" + std::to_wstring(info.nFileIndexLow)
                 : L"<missing> " + path;
  };
  std::vector<std::wstring> opened, expected;
  for (const std::wstring& path : ShellOpened(work.Path(), names.size())) opened.push_back(identity(path));
  for (const std::wstring& path : stored) expected.push_back(identity(path));
  std::sort(opened.begin(), opened.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(opened, expected);
}

TEST_F(MainWindowMenu, AShortcutTheShellCannotOpenIsToldWithTheSystemsReason) {
  CreateDirectoryA(Favorite().c_str(), nullptr);
  exe.Write("favorite\\a.url", kShortcut);
  Start();
  const std::string missing = "\"" + elsewhere.Path() + "missing.exe\" \"%1\"";
  RegSetKeyValueA(HKEY_CLASSES_ROOT, "InternetShortcut\\shell\\open\\command", nullptr, REG_SZ, missing.c_str(),
                  static_cast<DWORD>(missing.size() + 1));
  const std::wstring box = FailureOf([&] { Choose(window->Bookmarks().Find("popItem1")); });
  RegisterShellRecorder();
  // The system's own words for the missing program, in the system's language.
  EXPECT_EQ(box, text::WithFinalDot(win::SystemErrorText(ERROR_FILE_NOT_FOUND)));
}

void PutOnClipboard(const wchar_t* format, const std::wstring& text) {
  OpenClipboard(nullptr);
  EmptyClipboard();
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(block);
  SetClipboardData(wcscmp(format, L"CF_UNICODETEXT") ? RegisterClipboardFormatW(format) : CF_UNICODETEXT, block);
  CloseClipboard();
}

// Ctrl+V on the face and the paste entry take a link as a drop of it would be.
TEST_F(MainWindowMenu, APastedWebLinkIsStoredAsADraggedOneIs) {
  const struct {
    const wchar_t* format;  // nullptr: the clipboard is held by another thread
    std::wstring text;
    bool byKey;
    const char* stored;
    const wchar_t* box;
  } cases[] = {
      {L"CF_UNICODETEXT", L"  https://example.com/pasted\r\n", false, "example.com.url", nullptr},
      {L"text/x-moz-url", L"http://a.example/\nA page", true, "A page.url", nullptr},
      {L"CF_UNICODETEXT", L"see https://example.com/", true, nullptr, L"クリップボードに URL がありません."},
      {L"CF_UNICODETEXT", L"javascript:alert(1)", false, nullptr, L"クリップボードに URL がありません."},
      {nullptr, L"", false, nullptr, L"クリップボードを開くことができません."},
  };
  Start();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    const HANDLE held = CreateEventW(nullptr, TRUE, FALSE, nullptr),
                 release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder;
    if (c.format) {
      PutOnClipboard(c.format, c.text);
    } else {
      holder = std::thread([&] {
        OpenClipboard(nullptr);
        SetEvent(held);
        WaitForSingleObject(release, 10000);
        CloseClipboard();
      });
      WaitForSingleObject(held, 10000);
    }
    const auto paste = [&] {
      if (c.byKey) {
        SendMessageW(window->Handle(), WM_CHAR, 0x16, 0);
      } else {
        Choose(*window->popMenu.Find("mnuPaste"));
      }
    };
    const size_t before = TopBookmarks().size();
    EXPECT_EQ(c.box ? FailureOf(paste) : (paste(), L""), c.box ? c.box : L"");
    SetEvent(release);
    if (holder.joinable()) holder.join();
    CloseHandle(held);
    CloseHandle(release);
    DispatchWaiting();
    ASSERT_EQ(TopBookmarks().size(), before + (c.stored != nullptr));
    if (c.stored) {
      EXPECT_EQ(exe.Read(std::string("favorite\\") + c.stored).substr(0, 24), "[InternetShortcut]\r\nURL=");
    }
  }
}

// The Recycle Bin as Wine keeps it: the desktop's trash folder, which the
// test script puts under XDG_DATA_HOME (Wine shows no HOME to programs).
std::string TrashFolder() {
  char unixPath[MAX_PATH] = "";
  if (!GetEnvironmentVariableA("XDG_DATA_HOME", unixPath, MAX_PATH)) return "";
  std::string folder = unixPath;
  std::replace(folder.begin(), folder.end(), '/', '\\');
  return "Z:" + folder + "\\Trash\\files\\";
}

// Del on the selected entry, in the open menu: the file goes to the Recycle
// Bin and the menu opens again without its entry.
TEST_F(MainWindowMenu, DelOnASelectedBookmarkMovesItToTheRecycleBin) {
  const std::string doomed = "zz-deleted-" + std::to_string(GetCurrentProcessId()) + ".url";
  CreateDirectoryA(Favorite().c_str(), nullptr);
  exe.Write("favorite\\keep.url", kShortcut);
  exe.Write("favorite\\" + doomed, kShortcut + "doomed");
  Start();
  Captions after;
  int waits = 0;
  std::function<void()> afterDelete = [&] {
    const HWND menuWindow = ThreadWindow(L"#32768");
    if ((exe.Exists("favorite\\" + doomed) || !menuWindow) && ++waits < 300) {
      PendingProbe() = afterDelete;  // not yet: look again at the next tick
      return;
    }
    after = MenuCaptions(reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0)));
    EndMenu();
  };
  RunWithProbe([&] { SendMessageW(window->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1)); },
               [&] {
                 const HWND menuWindow = ThreadWindow(L"#32768");
                 for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DELETE}) {
                   PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
                   PostMessageW(menuWindow, WM_KEYUP, key, 0);
                 }
                 PendingProbe() = afterDelete;
               });
  EXPECT_EQ(after, (Captions{L"Tamaroo", L"-", L"keep"}));
  EXPECT_FALSE(exe.Exists("favorite\\" + doomed));
  EXPECT_TRUE(exe.Exists("favorite\\keep.url"));
  if (const std::string trash = TrashFolder(); !trash.empty()) {
    EXPECT_NE(GetFileAttributesA((trash + doomed).c_str()), INVALID_FILE_ATTRIBUTES) << trash + doomed;
  }
}

// Arms the next probe of the open loop: `then` runs once `ready` holds
// (looked at each tick, for a few seconds).
void When(std::function<bool()> ready, std::function<void()> then, int ticks = 300) {
  PendingProbe() = [=] {
    if (ready() || ticks == 0) {
      then();
    } else {
      When(ready, then, ticks - 1);
    }
  };
}

// Ends every menu still open, one each tick, so that a slow step fails the
// test instead of hanging it.
void CloseAllMenus() {
  EndMenu();
  if (ThreadWindow(L"#32768")) PendingProbe() = CloseAllMenus;
}

// The open menu windows of this thread whose menus start with `caption`.
HWND MenuStartingWith(const std::wstring& caption) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t name[16] = L"";
    GetClassNameW(w, name, 16);
    if (wcscmp(name, L"#32768") || !IsWindowVisible(w) || GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId())
      continue;
    const Captions captions = MenuCaptions(reinterpret_cast<HMENU>(SendMessageW(w, MN_GETHMENU, 0, 0)));
    if (!captions.empty() && captions[0] == caption) return w;
  }
  return nullptr;
}

// The menu key on a bookmark entry opens its own menu over the open menu;
// "URL をコピー" puts the shortcut's URL on the clipboard, or says it has none.
TEST_F(MainWindowMenu, TheMenuKeyOnABookmarkOpensItsMenuThatCopiesItsUrl) {
  CreateDirectoryA(Favorite().c_str(), nullptr);
  exe.Write("favorite\\a.url", kShortcut);
  exe.Write("favorite\\b.url", std::string("[InternetShortcut]\r\nIconIndex=0\r\n"));
  Start();
  for (const int entry : {2, 3}) {  // the title entry first; the separator is passed over
    SCOPED_TRACE(entry);
    Captions own;
    std::wstring box;
    const DWORD clipboardBefore = GetClipboardSequenceNumber();
    RunWithProbe(
        [&] { SendMessageW(window->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1)); },
        [&] {
          const HWND menuWindow = ThreadWindow(L"#32768");
          for (int i = 0; i < entry; ++i) PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
          PostMessageW(menuWindow, WM_KEYDOWN, VK_APPS, 0);
          When([] { return MenuStartingWith(L"開く(&O)") != nullptr; },
               [&] {
                 const HWND ownMenu = MenuStartingWith(L"開く(&O)");
                 own = MenuCaptions(reinterpret_cast<HMENU>(SendMessageW(ownMenu, MN_GETHMENU, 0, 0)));
                 for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
                   PostMessageW(ownMenu, WM_KEYDOWN, key, 0);
                   PostMessageW(ownMenu, WM_KEYUP, key, 0);
                 }
                 When([&] { return GetClipboardSequenceNumber() != clipboardBefore || ThreadWindow(L"#32770"); },
                      [&] {
                        if (const HWND failure = ThreadWindow(L"#32770")) {
                          box = BoxText(failure);
                          PostMessageW(failure, WM_COMMAND, IDOK, 0);
                        }
                        CloseAllMenus();
                      });
               });
        });
    EXPECT_EQ(own, (Captions{L"開く(&O)", L"名前の変更(&M)...", L"URL をコピー(&C)", L"-", L"削除(&D)"}));
    if (entry == 2) {
      EXPECT_EQ(box, L"");
      OpenClipboard(nullptr);
      const auto* copied = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
      EXPECT_STREQ(copied, L"https://example.com/");
      GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
      CloseClipboard();
    } else {
      EXPECT_EQ(box, L"b.url に URL がありません.");
    }
  }
}

// F2 on a selected entry renames its file or folder through the name dialog:
// a taken name is refused inside the dialog, which stays open.
TEST_F(MainWindowMenu, F2RenamesTheSelectedEntryRefusingATakenName) {
  const struct {
    int downs;  // to the entry: the title entry first
    const wchar_t* taken;
    const wchar_t* refusal;
    const wchar_t* renamed;
    const char* nowAt;  // a file that is there afterwards
    Captions after;
  } cases[] = {
      {2, L"b", L"b という名前はすでにあります.", L"c", "favorite\\c.url", {L"Tamaroo", L"-", L"b", L"c", L"news"}},
      {4,
       L"",
       L"名前を入力してください.",
       L"daily",
       "favorite\\daily\\n1.url",
       {L"Tamaroo", L"-", L"a", L"b", L"daily"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.renamed);
    const TempFolder exeFolder;
    for (const char* folder : {"favorite", "favorite\\news"})
      CreateDirectoryA((exeFolder.Path() + folder).c_str(), nullptr);
    for (const char* name : {"favorite\\a.url", "favorite\\b.url", "favorite\\news\\n1.url"})
      exeFolder.Write(name, kShortcut);
    window = std::make_unique<app::TfrmMain>(exeFolder.Path());
    std::wstring refusal;
    Captions after;
    RunWithProbe([&] { SendMessageW(window->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1)); },
                 [&] {
                   const HWND menuWindow = ThreadWindow(L"#32768");
                   for (int i = 0; i < c.downs; ++i) PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
                   PostMessageW(menuWindow, WM_KEYDOWN, VK_F2, 0);
                   When([] { return ThreadWindow(L"TNameForm") != nullptr; },
                        [&] {
                          const HWND dialog = ThreadWindow(L"TNameForm");
                          SetDlgItemTextW(dialog, win::NameDialog::kEditId, c.taken);
                          SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                          wchar_t text[256] = L"";
                          GetDlgItemTextW(dialog, win::NameDialog::kMessageId, text, 256);
                          refusal = text;
                          SetDlgItemTextW(dialog, win::NameDialog::kEditId, c.renamed);
                          SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
                          When([&] { return !ThreadWindow(L"TNameForm") && ThreadWindow(L"#32768"); },
                               [&] {
                                 after = MenuCaptions(
                                     reinterpret_cast<HMENU>(SendMessageW(ThreadWindow(L"#32768"), MN_GETHMENU, 0, 0)));
                                 EndMenu();
                               });
                        });
                 });
    window.reset();
    EXPECT_EQ(refusal, c.refusal);
    EXPECT_EQ(after, c.after);
    EXPECT_TRUE(exeFolder.Exists(c.nowAt)) << c.nowAt;
  }
}

enum class Source { Elsewhere, InStorage, Folder, Missing };

struct Drop {
  const char* name;
  Source source;
  int othersStored;        // different files already under the name, "(2)", ...
  bool sameStored;         // the name's next free place already holds the same bytes
  const wchar_t* caption;  // of the new entry; nullptr: none
  const char* storedAs;    // the file that then holds the source's bytes
  const wchar_t* box;
  bool again = false;  // dropped before: kept, but no second entry
};

TEST_F(MainWindowMenu, AddUrlFileStoresWithoutOverwritingOrLosing) {
  const Drop drops[] = {
      {"new.url", Source::Elsewhere, 0, false, L"new", "new.url", nullptr},
      {".url", Source::Elsewhere, 0, false, L"", ".url", nullptr},
      {"same.url", Source::Elsewhere, 0, true, L"same", "same.url", nullptr},
      {"other.url", Source::Elsewhere, 1, false, L"other (2)", "other (2).url", nullptr},
      {"twice.url", Source::Elsewhere, 2, false, L"twice (3)", "twice (3).url", nullptr},
      {"again.url", Source::Elsewhere, 1, true, L"again (2)", "again (2).url", nullptr},
      {"inside.url", Source::InStorage, 0, true, L"inside", "inside.url", nullptr},
      {"links.url", Source::Folder, 0, false, nullptr, nullptr, nullptr},
      {"upper.URL", Source::Elsewhere, 0, false, nullptr, nullptr, nullptr},
      {"gone.url", Source::Missing, 0, false, nullptr, nullptr, L"gone.url を格納できません."},
      {"new.url", Source::Elsewhere, 0, false, L"new", "new.url", nullptr, true},
      {"inside.url", Source::InStorage, 0, true, L"inside", "inside.url", nullptr, true},
  };
  CreateDirectoryA(Favorite().c_str(), nullptr);
  Start();
  for (const Drop& d : drops) {
    SCOPED_TRACE(d.name);
    const std::string bytes = kShortcut + d.name;
    const std::string bare = std::string(d.name).substr(0, std::string(d.name).find('.'));
    auto place = [&](int n) { return "favorite\\" + bare + (n ? " (" + std::to_string(n + 1) + ")" : "") + ".url"; };
    for (int n = 0; n < d.othersStored; ++n) exe.Write(place(n), "other");
    if (d.sameStored) exe.Write(place(d.othersStored), bytes);
    std::string source = elsewhere.Path() + d.name;
    if (d.source == Source::Elsewhere) elsewhere.Write(d.name, bytes);
    if (d.source == Source::InStorage) source = Favorite() + d.name;
    if (d.source == Source::Folder) CreateDirectoryA(source.c_str(), nullptr);

    const size_t before = TopBookmarks().size();
    bool added = false;
    const std::wstring box = d.box ? FailureOf([&] { added = window->AddUrlFile(win::FromAnsi(source)); })
                                   : (added = window->AddUrlFile(win::FromAnsi(source)), L"");
    EXPECT_EQ(box, d.box ? d.box : L"");
    EXPECT_EQ(added, d.caption != nullptr);
    ASSERT_EQ(TopBookmarks().size(), before + (added && !d.again));
    if (d.again) {
      EXPECT_FALSE(exe.Exists(place(1))) << "stored twice";
    }
    if (!added || d.again) continue;
    EXPECT_EQ(TopBookmarks().back(), d.caption);
    EXPECT_EQ(exe.Read(std::string("favorite\\") + d.storedAs), bytes);
    if (d.othersStored) {
      EXPECT_EQ(exe.Read(place(0)), "other");
    }
  }
}

// A drop as the shell hands it over: a DROPFILES block with wide names.
HDROP ShellDrop(const std::vector<std::wstring>& names) {
  std::wstring list;
  for (const std::wstring& name : names) list += name + L'\0';
  list += L'\0';
  const HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(block));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
  GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

void WriteWide(const std::wstring& path, const std::string& bytes) {
  const HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, nullptr);
  CloseHandle(file);
}

TEST_F(MainWindowMenu, ADropStoresItsShortcutsInTheShellsOrder) {
  const std::wstring from = win::FromAnsi(elsewhere.Path());
  // A shortcut whose full path passes MAX_PATH, as one on a desktop with a long title does.
  std::wstring deep = from;
  for (int level = 0; level < 3; ++level) {
    deep += std::wstring(90, static_cast<wchar_t>(L'k' + level)) + L"\\";
    CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr);
  }
  WriteWide(deep + L"deep.url", kShortcut);
  for (const char* name : {"b.url", "a.url", "notes.txt", "X.URL", "cafe.url"}) elsewhere.Write(name, kShortcut + name);
  // Names made beyond the code page, or ending in a dot as Linux can make them:
  // read wide, never through a lossy ANSI name that could pick another file.
  for (const wchar_t* name : {L"caf\u00E9.url", L"\uD55C\uAD6D.url", L"dotend.url."})
    WriteWide(from + name, kShortcut + win::ToUtf8(name));
  CreateDirectoryA((elsewhere.Path() + "dir").c_str(), nullptr);
  Start();
  for (const std::vector<std::wstring>& names :
       {std::vector<std::wstring>{},
        {L"b.url", L"notes.txt", L"X.URL", L"dir", deep + L"deep.url", L"a.url"},
        {L"caf\u00E9.url", L"cafe.url", L"\uD55C\uAD6D.url", L"dotend.url."}}) {
    std::vector<std::wstring> paths;
    for (const std::wstring& name : names) paths.push_back(name.find(L'\\') == name.npos ? from + name : name);
    EXPECT_EQ(SendMessageW(window->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(ShellDrop(paths)), 0), 0);
  }
  EXPECT_EQ(TopBookmarks(), Captions{}) << "stored while the drop message was handled";
  DispatchWaiting();
  const Captions added = TopBookmarks();
  const bool japanese = GetACP() == 932;
  const std::wstring cafe = japanese ? L"caf_" : L"caf\u00E9";
  EXPECT_EQ(added, (Captions{L"b", L"deep", L"a", cafe, L"cafe", L"_", L"dotend"}));
  EXPECT_EQ(exe.Read("favorite\\a.url"), kShortcut + "a.url");
  EXPECT_EQ(exe.Read("favorite\\deep.url"), kShortcut);
  EXPECT_EQ(exe.Read("favorite\\" + win::ToAnsi(cafe) + ".url"), kShortcut + "caf\xC3\xA9.url");
  EXPECT_EQ(exe.Read("favorite\\cafe.url"), kShortcut + "cafe.url");
  EXPECT_EQ(exe.Read("favorite\\dotend.url"), kShortcut + "dotend.url.");
}

}  // namespace
}  // namespace tamaroo_test
