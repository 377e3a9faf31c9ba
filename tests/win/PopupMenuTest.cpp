#include "win/PopupMenu.h"

#include <gtest/gtest.h>

#include "MenuCaptions.h"

#include <string>
#include <vector>

namespace {

// A plain window that owns the menu and records what it showed.
struct Owner {
  HWND hwnd = nullptr;
  std::vector<std::wstring> shown;
  std::vector<std::wstring> sub;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && self && self->shown.empty()) {
      const auto menu = reinterpret_cast<HMENU>(SendMessageW(reinterpret_cast<HWND>(lParam), MN_GETHMENU, 0, 0));
      self->shown = tamaroo_test::MenuCaptions(menu);
      if (HMENU first = GetSubMenu(menu, 0)) self->sub = tamaroo_test::MenuCaptions(first);
      EndMenu();
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  Owner() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PopupMenuTestOwner";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"owner", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr,
                           nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Owner() { DestroyWindow(hwnd); }
};

win::MenuItem Entry(const char* name, const wchar_t* caption) {
  win::MenuItem item;
  item.Name = name;
  item.Caption = caption;
  return item;
}

class PopupMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win::MenuItem& all = menu.Add(menu.Root(), Entry("mnuAll", L"&Tamaroo"));
    menu.Add(all, Entry("mnuOpen", L"開く(&U)"));
    menu.Add(all, Entry("mnuN2", L"-"));
    menu.Add(all, Entry("mnuExit", L"終了(&E)")).OnClick = [this] { ++exits; };
    menu.Add(menu.Root(), Entry("mnuN1", L"-"));
  }

  std::vector<std::wstring> Show() {
    owner.shown.clear();
    menu.Popup(owner.hwnd, {20, 20});
    return owner.shown;
  }

  win::PopupMenu menu;
  Owner owner;
  int exits = 0;
};

TEST_F(PopupMenuTest, HidesTheTrailingSeparatorUntilAnEntryFollowsIt) {
  EXPECT_EQ(Show(), (std::vector<std::wstring>{L"&Tamaroo"}));
  EXPECT_EQ(owner.sub, (std::vector<std::wstring>{L"開く(&U)", L"-", L"終了(&E)"}));

  menu.Add(menu.Root(), Entry("popItem1", L"News"));
  menu.Add(menu.Root(), Entry("popItem2", L"-"));
  EXPECT_EQ(Show(), (std::vector<std::wstring>{L"&Tamaroo", L"-", L"News"}));
}

TEST_F(PopupMenuTest, ClickRunsTheHandlerOfTheEntryWithThatCommand) {
  const win::MenuItem* exit = menu.Find("mnuExit");
  ASSERT_NE(exit, nullptr);
  EXPECT_TRUE(menu.Click(exit->Command));
  EXPECT_EQ(exits, 1);
  // Entries without a handler, sub-menu holders and unknown commands do nothing.
  EXPECT_FALSE(menu.Click(menu.Find("mnuOpen")->Command));
  EXPECT_FALSE(menu.Click(menu.Find("mnuAll")->Command));
  EXPECT_FALSE(menu.Click(9999));
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(menu.Find("nothing"), nullptr);
}

}  // namespace
