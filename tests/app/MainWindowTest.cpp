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
#include "image/Favicon.h"
#include "resources/MainWindowDescription.h"
#include "resources/Commands.h"
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

  // The captions of the top level and of one of its sub-menus, as shown;
  // `images` gets the pictures of the sub-menu's entries.
  std::pair<Captions, Captions> Shown(int subMenu = 0, std::vector<ULONG_PTR>* images = nullptr) {
    std::pair<Captions, Captions> shown;
    RunWithProbe([&] { SendMessageW(window->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1)); },
                 [&] {
                   const HWND menuWindow = ThreadWindow(L"#32768");
                   const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
                   // Filled as the system has it filled before it opens.
                   const HMENU sub = GetSubMenu(menu, subMenu);
                   SendMessageW(window->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), subMenu);
                   shown = {MenuCaptions(menu), MenuCaptions(sub)};
                   for (int i = 0; images && i < GetMenuItemCount(sub); ++i) {
                     MENUITEMINFOW item{};
                     item.cbSize = sizeof item;
                     item.fMask = MIIM_DATA;
                     GetMenuItemInfoW(sub, static_cast<UINT>(i), TRUE, &item);
                     images->push_back(item.dwItemData);
                   }
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
  void Choose(UINT command) { SendMessageW(window->Handle(), WM_COMMAND, command, 0); }
  const app::BookmarkMenu& Marks() const { return window->Keeper().Records(); }
  // The bookmark entries at the top level, by name.
  Captions TopBookmarks() const {
    Captions names;
    for (const UINT entry : Marks().EntriesIn(0)) names.push_back(Marks().NameOf(entry));
    return names;
  }

  char previousFolder[MAX_PATH] = "";
  TempFolder exe, work, elsewhere;
  win::Application application{L"Tamaroo", L"MAINICON"};
  std::unique_ptr<app::TfrmMain> window;
};

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
  EXPECT_EQ(top, (Captions{L"Tamaroo", L"検索(&F)..."}));
  EXPECT_EQ(sub, (Captions{L"URL格納ﾌｫﾙﾀﾞを開く(&U)", L"クリップボードから追加(&P)", L"ブックマークを読み込む(&I)...",
                           L"ブックマークを書き出す(&X)...", L"並べ替え(&S)", L"重複を探す(&D)...", L"-",
                           L"ﾊﾞｰｼﾞｮﾝ情報(&A)", L"終了(&E)"}));
  EXPECT_EQ(window->popMenu.Find("mnuAll")->ImageIndex, 4);
  Choose(resources::CmdOpenURLFolder);
  EXPECT_EQ(ShellOpened(work.Path(), 1), std::vector<std::wstring>{win::FromAnsi(Favorite())});
}

TEST_F(MainWindowMenu, AFileInTheWayOfTheFolderStopsNothingButStoring) {
  exe.Write("favorite", "not a folder");
  elsewhere.Write("a.url", kShortcut);
  Start();
  EXPECT_EQ(window->Keeper().UrlFolder(), Favorite());
  EXPECT_EQ(exe.Read("favorite"), "not a folder");
  SendMessageW(window->Handle(), WM_DROPFILES,
               reinterpret_cast<WPARAM>(ShellDrop({win::FromAnsi(elsewhere.Path() + "a.url")})), 0);
  EXPECT_EQ(FailureOf(DispatchWaiting), L"a.url を格納できません.");
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
  const auto [top, news] = Shown(5);
  EXPECT_EQ(top, (Captions{L"Tamaroo", L"検索(&F)...", L"-", L"a.b", L"gone", L"news", L"Q&A"}));
  EXPECT_EQ(news, (Captions{L"deep", L"n1"}));
  const app::BookmarkMenu& marks = Marks();
  EXPECT_EQ(marks.NameOf(marks.FindPopItem("popItem4")), L"news");
  for (const char* name : {"popItem2", "popItem5"}) Choose(marks.FindPopItem(name));
  Choose(marks.EntriesIn(marks.FindPopItem("popItem4"))[1]);
  std::vector<std::wstring> opened = ShellOpened(work.Path(), 3);
  std::sort(opened.begin(), opened.end());  // each recorder is a process of its own
  const std::wstring favorite = win::FromAnsi(Favorite());
  EXPECT_EQ(opened,
            (std::vector<std::wstring>{favorite + L"Q&A.url", favorite + L"a.b.url", favorite + L"news\\n1.url"}));
  DeleteFileA((Favorite() + "gone.url").c_str());
  EXPECT_EQ(FailureOf([&] { Choose(marks.FindPopItem("popItem3")); }),
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
  CollectBookmarks(Marks(), 0, entries);
  Captions captions;
  for (const UINT entry : entries) captions.push_back(Marks().NameOf(entry));
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
  const std::wstring box = FailureOf([&] { Choose(Marks().FindPopItem("popItem1")); });
  RegisterShellRecorder();
  // The system's own words for the missing program, in the system's language.
  EXPECT_EQ(box, text::WithFinalDot(win::SystemErrorText(ERROR_FILE_NOT_FOUND)));
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
        Choose(resources::CmdPaste);
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

void WriteWide(const std::wstring& path, const std::string& bytes) {
  const HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, nullptr);
  CloseHandle(file);
}

// A browser's bookmark file dropped on the face: each bookmark shows its
// site's picture, one picture for the pages of one site, after the menu's
// own; one without keeps the generic picture.
TEST_F(MainWindowMenu, ABookmarkFileWithPicturesShowsEachSitesPicture) {
  const auto icon = [](std::uint8_t shade) {
    return image::PngDataUrl(image::PngOfPixels(std::vector<std::uint8_t>(16 * 16 * 4, shade), 16, 16));
  };
  elsewhere.Write("bookmarks.html",
                  "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL><DT><H3>Sites</H3><DL>"
                  "<DT><A HREF=\"http://a/1\" ICON=\"" +
                      icon(0x20) +
                      "\">a1</A>"
                      "<DT><A HREF=\"http://a/2\" ICON=\"" +
                      icon(0x20) +
                      "\">a2</A>"
                      "<DT><A HREF=\"http://b/\" ICON=\"" +
                      icon(0xC0) +
                      "\">b</A>"
                      "<DT><A HREF=\"http://c/\">c</A></DL></DL>");
  Start();
  EXPECT_EQ(FailureOf([&] {
              SendMessageW(window->Handle(), WM_DROPFILES,
                           reinterpret_cast<WPARAM>(ShellDrop({win::FromAnsi(elsewhere.Path() + "bookmarks.html")})),
                           0);
              DispatchWaiting();
            }),
            L"4 件のブックマークを読み込みました。");
  std::vector<ULONG_PTR> images;
  Shown(3, &images);
  ASSERT_EQ(images.size(), 4u);
  EXPECT_EQ(images[0], images[1]);
  EXPECT_GT(images[0], 4u) << "not after the menu's own pictures";
  EXPECT_GT(images[2], 4u);
  EXPECT_NE(images[2], images[0]);
  EXPECT_EQ(images[3], ULONG_PTR{resources::kImageBookmark});
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
