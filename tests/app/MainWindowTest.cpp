// The main window in this process, where its menu can be looked into.
#include "app/MainWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuCaptions.h"
#include "ModalProbe.h"
#include "TamarooProcess.h"
#include "win/Application.h"
#include "win/Failure.h"

namespace tamaroo_test {
namespace {

class MainWindowMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectoryA(MAX_PATH, previousFolder);
    work.Write("glyph.bmp", std::vector<unsigned char>{});  // an empty face: no box
    SetCurrentDirectoryA(work.Path().c_str());
    window = std::make_unique<app::TfrmMain>();
  }
  void TearDown() override {
    window.reset();
    SetCurrentDirectoryA(previousFolder);
  }

  // The captions of the top level and of the first sub-menu, as shown.
  std::pair<std::vector<std::wstring>, std::vector<std::wstring>> Shown() {
    std::pair<std::vector<std::wstring>, std::vector<std::wstring>> shown;
    RunWithProbe(
        [&] { SendMessageW(window->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1)); },
        [&] {
          const HWND menuWindow = ThreadWindow(L"#32768");
          const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
          shown = {MenuCaptions(menu), MenuCaptions(GetSubMenu(menu, 0))};
          EndMenu();
        });
    return shown;
  }

  char previousFolder[MAX_PATH] = "";
  TempFolder work;
  win::Application application{L"Tamaroo", L"MAINICON"};
  std::unique_ptr<app::TfrmMain> window;
};

// Refuses the making of main windows on this thread, as a system short of
// resources would.
LRESULT CALLBACK RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam) {
  wchar_t name[32] = L"";
  if (code == HCBT_CREATEWND) GetClassNameW(reinterpret_cast<HWND>(wParam), name, 32);
  return wcscmp(name, L"TfrmMain") == 0 ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

using MainWindowLife = MainWindowMenu;

TEST_F(MainWindowLife, LeavesNoMainWindowBehindWhenDestroyedOrRefused) {
  window.reset();
  EXPECT_EQ(app::frmMain, nullptr);
  EXPECT_EQ(application.MainWindow(), nullptr);

  const HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseMainWindow, nullptr, GetCurrentThreadId());
  try {
    app::TfrmMain refused;
    ADD_FAILURE() << "a main window without a window";
  } catch (const win::Failure& failure) {
    EXPECT_EQ(failure.Text(), L"ウィンドウを作成できません");
  }
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(app::frmMain, nullptr);
  EXPECT_EQ(application.MainWindow(), nullptr);
}

TEST_F(MainWindowMenu, ShowsTheDesignedTreeAndHidesTheLoneSeparator) {
  const auto [top, sub] = Shown();
  EXPECT_EQ(top, std::vector<std::wstring>{L"&Tamaroo"});
  EXPECT_EQ(sub, (std::vector<std::wstring>{L"URL格納ﾌｫﾙﾀﾞを開く(&U)", L"-", L"ﾊﾞｰｼﾞｮﾝ情報(&A)", L"終了(&E)"}));
}

TEST_F(MainWindowMenu, EntriesAddedLaterShowTheSeparator) {
  win::MenuItem bookmark;
  bookmark.Caption = L"Q&A";
  window->popMenu.Add(window->popMenu.Root(), std::move(bookmark));
  EXPECT_EQ(Shown().first, (std::vector<std::wstring>{L"&Tamaroo", L"-", L"Q&A"}));
}

}  // namespace
}  // namespace tamaroo_test
