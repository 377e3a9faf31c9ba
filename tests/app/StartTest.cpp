// Start, face, position and close of the real program.
#include <ole2.h>

#include <gtest/gtest.h>

#include "BmpSamples.h"
#include "DragSourceProcess.h"
#include "TamarooTest.h"

namespace tamaroo_test {
namespace {

using TamarooStart = TamarooTest;

TEST_F(TamarooStart, ShowsTheFaceCentredAndTopmostWithoutTaskbarButton) {
  std::vector<unsigned char> face = Face(205, 118);
  std::fill(face.begin() + 54, face.end(), 0xFF);
  workFolder.Write("glyph.bmp", face);
  const HWND main = StartCleanly();
  ASSERT_TRUE(main);
  UpdateWindow(main);
  EXPECT_EQ(PixelAt(main, 204, 117), RGB(255, 255, 255));

  const RECT r = WindowRect(main);
  EXPECT_EQ(r.left, 581);  // 1366 / 2 - 205 / 2
  EXPECT_EQ(r.top, 325);   // 768 / 2 - 118 / 2
  EXPECT_EQ(r.right - r.left, 205);
  EXPECT_EQ(r.bottom - r.top, 118);
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 205);
  EXPECT_EQ(client.bottom, 118);

  const LONG style = GetWindowLongW(main, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_SYSMENU));
  EXPECT_TRUE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetClassLongW(main, GCL_STYLE), static_cast<DWORD>(CS_DBLCLKS));

  const HWND owner = GetWindow(main, GW_OWNER);
  ASSERT_TRUE(owner);
  EXPECT_EQ(GetWindowLongW(owner, GWL_EXSTYLE), WS_EX_TOOLWINDOW);
  EXPECT_FALSE(IsWindowVisible(owner));
  wchar_t title[64];
  GetWindowTextW(owner, title, 64);
  EXPECT_STREQ(title, L"Tamaroo");

  CloseAndExpectExit();
  EXPECT_EQ(Setting("Left"), "581");
  EXPECT_EQ(Setting("Top"), "325");
}

TEST_F(TamarooStart, TakesTheFaceSizeAndFindsTheFaceInTheWorkingFolderThenBesideTheProgram) {
  workFolder.Write("glyph.bmp", Face(64, 33));
  exeFolder.Write("glyph.bmp", "not a bitmap");  // beside the executable: second choice
  const HWND main = StartCleanly();
  ASSERT_TRUE(main);
  const RECT r = WindowRect(main);
  EXPECT_EQ(r.right - r.left, 64);
  EXPECT_EQ(r.bottom - r.top, 33);
  EXPECT_EQ(r.left, 683 - 32);
  EXPECT_EQ(r.top, 384 - 16);
  CloseAndExpectExit();
  EXPECT_TRUE(exeFolder.Exists("Settings.ini"));
  EXPECT_FALSE(workFolder.Exists("Settings.ini"));

  DeleteFileA((workFolder.Path() + "glyph.bmp").c_str());
  exeFolder.Write("glyph.bmp", Face(40, 30));
  const RECT beside = WindowRect(StartCleanly());
  EXPECT_EQ(beside.right - beside.left, 40);
  EXPECT_EQ(beside.bottom - beside.top, 30);
  CloseAndExpectExit();
}

TEST_F(TamarooStart, EmptyFaceKeepsTheDesignedSizeWithoutABox) {
  workFolder.Write("glyph.bmp", std::vector<unsigned char>{});
  const HWND main = StartCleanly();
  ASSERT_TRUE(main);
  const RECT r = WindowRect(main);
  EXPECT_EQ(r.right - r.left, 205);
  EXPECT_EQ(r.bottom - r.top, 118);
  EXPECT_EQ(r.left, 581);
  EXPECT_EQ(r.top, 325);
  CloseAndExpectExit();
}

struct FaceFailure {
  const char* what;
  std::vector<unsigned char> file;  // empty: no glyph.bmp at all
  const wchar_t* text;
};

TEST_F(TamarooStart, FaceFailuresAreToldThenTheBlackDesignWindowWorks) {
  std::vector<unsigned char> notBm = Face(8, 8);
  notBm[1] = 'N';
  std::vector<unsigned char> cut = Face(8, 8);
  cut.resize(cut.size() - 3);
  const FaceFailure cases[] = {
      {"missing", {}, L"ファイル glyph.bmp は開けません."},
      {"five bytes", {'B', 'M', 1, 2, 3}, L"ストリームからの読み込みエラー."},
      {"pixels cut short", cut, L"ストリームからの読み込みエラー."},
      {"not BM", notBm, L"ビットマップイメージが不正です."},
      {"two planes", bmp_samples::Make({.planes = 2}), L"ビットマップイメージが不正です."},
      {"huge, pixels cut short", bmp_samples::Make({.width = 32000, .height = 32000}, 64),
       L"ストリームからの読み込みエラー."},
  };
  for (const FaceFailure& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder exe, work;
    if (!c.file.empty()) work.Write("glyph.bmp", c.file);
    // A face failure costs only the face: the position, the folder and the drops stay.
    exe.Write("Settings.ini", "[General]\r\nLeft=10\r\nTop=20\r\n");
    TamarooProcess tamaroo(exe.Path(), work.Path());

    const HWND box = tamaroo.WaitForFailureBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(BoxText(box), c.text);
    const HWND main = tamaroo.WaitForWindow(L"TfrmMain", L"Tamaroo", false);
    ASSERT_TRUE(main);
    EXPECT_FALSE(IsWindowVisible(main));  // told before the window is first shown
    EXPECT_EQ(GetWindow(box, GW_OWNER), GetWindow(main, GW_OWNER));
    DismissBox(box);

    ASSERT_EQ(tamaroo.WaitForMainWindow(), main);
    const RECT r = WindowRect(main);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right - r.left, 205);
    EXPECT_EQ(r.bottom - r.top, 118);
    EXPECT_TRUE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowEnabled(main));
    UpdateWindow(main);
    EXPECT_EQ(PixelAt(main, 100, 60), RGB(0, 0, 0));

    if (&c == cases) {
      EXPECT_EQ(Drag(L"100 60 chromium https://example.com/ Example"), DWORD{DROPEFFECT_COPY});
      EXPECT_TRUE(WaitUntil([&] { return exe.Exists("favorite\\Example.url"); }));
    }

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(tamaroo.WaitForExit(), 0u);
    char left[16];
    GetPrivateProfileStringA("General", "Left", "", left, sizeof left, (exe.Path() + "Settings.ini").c_str());
    EXPECT_STREQ(left, "10");
    EXPECT_TRUE(exe.Exists("favorite"));
  }
}

struct StoredPosition {
  const char* settings;
  int left, top;
};

TEST_F(TamarooStart, RestoresTheStoredPositionOrCentres) {
  const StoredPosition cases[] = {
      {"[General]\r\nLeft=100\r\nTop=50\r\n", 100, 50},
      {"[General]\r\nLeft=0x64\r\nTop=$32\r\n", 100, 50},
      {"[General]\r\nLeft=-20\r\nTop=-5\r\n", -20, -5},
      {"[General]\r\nLeft=012\r\nTop= 7\r\n", 12, 7},
      {"[General]\r\nTop=40\r\n", 581, 40},
      {"[General]\r\nLeft=12abc\r\nTop=1.5\r\n", 581, 325},
      {"[General]\r\nLeft=2147483648\r\nTop=\r\n", 581, 325},
      {"[Other]\r\nLeft=1\r\nTop=2\r\n", 581, 325},
      // Partly on the screen: kept.
      {"[General]\r\nLeft=1300\r\nTop=700\r\n", 1300, 700},
      // Off every monitor: the window would be out of reach, so it is centred.
      {"[General]\r\nLeft=5000\r\nTop=100\r\n", 581, 325},
      {"[General]\r\nLeft=2147483647\r\nTop=-2147483648\r\n", 581, 325},
      {"[General]\r\nLeft=100\r\nTop=-118\r\n", 581, 325},
  };
  for (const StoredPosition& c : cases) {
    SCOPED_TRACE(c.settings);
    TempFolder exe, work;
    work.Write("glyph.bmp", Face(205, 118));
    exe.Write("Settings.ini", c.settings);
    TamarooProcess tamaroo(exe.Path(), work.Path());
    const HWND main = tamaroo.WaitForMainWindow();
    ASSERT_TRUE(main);
    const RECT r = WindowRect(main);
    EXPECT_EQ(r.left, c.left);
    EXPECT_EQ(r.top, c.top);
  }
}

TEST_F(TamarooStart, AMovedWindowIsWrittenAndRestored) {
  workFolder.Write("glyph.bmp", Face(205, 118));
  HWND main = StartCleanly();
  ASSERT_TRUE(main);
  SetWindowPos(main, nullptr, 33, 44, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  CloseAndExpectExit();
  EXPECT_EQ(Setting("Left"), "33");
  EXPECT_EQ(Setting("Top"), "44");

  main = StartCleanly();
  ASSERT_TRUE(main);
  const RECT r = WindowRect(main);
  EXPECT_EQ(r.left, 33);
  EXPECT_EQ(r.top, 44);
}

TEST_F(TamarooStart, AnUnwritableSettingsFileIsToldAndTheProgramStillEnds) {
  workFolder.Write("glyph.bmp", Face(205, 118));
  // A folder in the file's place cannot be written as a file.
  CreateDirectoryA((exeFolder.Path() + "Settings.ini").c_str(), nullptr);
  const HWND main = StartCleanly();
  ASSERT_TRUE(main);
  PostMessageW(main, WM_CLOSE, 0, 0);
  const HWND box = process->WaitForFailureBox();
  ASSERT_TRUE(box);
  char path[MAX_PATH];
  GetLongPathNameA((exeFolder.Path() + "Settings.ini").c_str(), path, MAX_PATH);
  wchar_t widePath[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH);
  EXPECT_EQ(BoxText(box), std::wstring(widePath) + L" に書き込めません.");
  EXPECT_FALSE(IsWindowEnabled(main));
  DismissBox(box);
  EXPECT_EQ(process->WaitForExit(), 0u);
}

TEST_F(TamarooStart, KeepsItsSettingsBesideAnExeWhoseNamesEndInABackslashTrailByte) {
  if (GetACP() != 932) GTEST_SKIP() << "a Shift-JIS folder name needs code page 932";
  // "表" and "ソ": the second byte of each is '\'.
  const TempFolder exe("\x95\x5C");
  workFolder.Write("glyph.bmp", Face(205, 118));
  TamarooProcess tamaroo(exe.Path(), workFolder.Path(), "\x83\x5C.exe");
  const HWND main = tamaroo.WaitForMainWindow();
  ASSERT_TRUE(main);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(tamaroo.WaitForExit(), 0u);
  EXPECT_TRUE(exe.Exists("Settings.ini"));
  EXPECT_TRUE(exe.Exists("favorite"));
}

TEST_F(TamarooStart, EndingTheSessionWritesNothing) {
  workFolder.Write("glyph.bmp", Face(205, 118));
  const HWND main = StartCleanly();
  ASSERT_TRUE(main);
  EXPECT_TRUE(SendMessageW(main, WM_QUERYENDSESSION, 0, 0));
  SendMessageW(main, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(process->WaitForExit(), 0u);
  EXPECT_FALSE(exeFolder.Exists("Settings.ini"));
}

TEST_F(TamarooStart, ClosingTheApplicationWindowClosesTheMainWindow) {
  workFolder.Write("glyph.bmp", Face(205, 118));
  const HWND main = StartCleanly();
  ASSERT_TRUE(main);
  PostMessageW(GetWindow(main, GW_OWNER), WM_CLOSE, 0, 0);
  EXPECT_EQ(process->WaitForExit(), 0u);
  EXPECT_EQ(Setting("Left"), "581");
}

}  // namespace
}  // namespace tamaroo_test
