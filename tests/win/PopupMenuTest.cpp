#include "win/PopupMenu.h"

#include <gtest/gtest.h>

#include "MenuCaptions.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A plain window that owns the menu and records what it showed.
struct Owner {
  HWND hwnd = nullptr;
  std::vector<std::wstring> shown;
  std::vector<std::wstring> sub;
  HWND menuWindow = nullptr;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_INITMENUPOPUP && self && self->popup) self->popup->InitPopup(reinterpret_cast<HMENU>(wParam));
    if (message == WM_ENTERIDLE && wParam == MSGF_MENU && self && self->shown.empty()) {
      self->menuWindow = reinterpret_cast<HWND>(lParam);
      const auto menu = reinterpret_cast<HMENU>(SendMessageW(self->menuWindow, MN_GETHMENU, 0, 0));
      self->shown = tamaroo_test::MenuCaptions(menu);
      if (HMENU first = self->Open(menu, 0)) self->sub = tamaroo_test::MenuCaptions(first);
      RECT r{};
      GetWindowRect(self->menuWindow, &r);
      self->height = r.bottom - r.top;
      self->tree.clear();
      self->Walk(menu, 0);
      EndMenu();
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  // Every entry of the open menu, depth first: its command, or for one that
  // opens a sub-menu its caption; `widest`, the most entries of one menu.
  struct Shown {
    UINT command;
    std::wstring caption;
    int depth;
  };
  std::vector<Shown> tree;
  win::PopupMenu* popup = nullptr;
  // The sub-menu at that place, as the system has it filled before it opens.
  HMENU Open(HMENU menu, int place) {
    const HMENU sub = GetSubMenu(menu, place);
    if (sub) SendMessageW(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), MAKELPARAM(place, FALSE));
    return sub;
  }
  int height = 0;
  int widest = 0;
  void Walk(HMENU level, int depth) {
    const std::vector<std::wstring> captions = tamaroo_test::MenuCaptions(level);
    widest = std::max(widest, static_cast<int>(captions.size()));
    for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
      tree.push_back({GetMenuItemID(level, i), captions[i], depth});
      if (HMENU sub = Open(level, i)) Walk(sub, depth + 1);
    }
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
    owner.popup = &menu;
    win::MenuItem& all = menu.Add(menu.Root(), Entry("mnuAll", L"&Tamaroo"));
    menu.Add(all, Entry("mnuOpen", L"開く(&U)"));
    menu.Add(all, Entry("mnuN2", L"-"));
    menu.Add(all, Entry("mnuExit", L"終了(&E)"));
    menu.Add(menu.Root(), Entry("mnuN1", L"-"));
  }

  std::vector<std::wstring> Show() {
    owner.shown.clear();
    menu.Popup(owner.hwnd, {20, 20});
    return owner.shown;
  }

  win::PopupMenu menu;
  Owner owner;
};

TEST_F(PopupMenuTest, HidesTheTrailingSeparatorUntilAnEntryFollowsIt) {
  EXPECT_EQ(Show(), (std::vector<std::wstring>{L"&Tamaroo"}));
  EXPECT_EQ(owner.sub, (std::vector<std::wstring>{L"開く(&U)", L"-", L"終了(&E)"}));

  menu.Add(menu.Root(), Entry("popItem1", L"News"));
  menu.Add(menu.Root(), Entry("popItem2", L"-"));
  EXPECT_EQ(Show(), (std::vector<std::wstring>{L"&Tamaroo", L"-", L"News"}));
}

// Many entries of the owner's own, after the menu's.
constexpr UINT kFirst = 0x1000;
struct ManyEntries : win::MenuSource {
  size_t count = 0;
  void EntriesOf(UINT menu, std::vector<Entry>& entries) const override {
    for (size_t i = 0; i < count && menu == 0; ++i)
      entries.push_back({L"site " + std::to_wstring(i), static_cast<UINT>(kFirst + i), -1, false});
  }
};

TEST_F(PopupMenuTest, ALevelTallerThanTheScreenEndsInAnEntryThatOpensTheRest) {
  ManyEntries many;
  menu.SetSource(&many);
  menu.SetOverflowCaption(L"more (%s)");
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint({20, 20}, MONITOR_DEFAULTTONEAREST), &monitor);
  for (const size_t count : {40u, 3000u}) {
    SCOPED_TRACE(count);
    many.count = count;
    menu.Changed();
    owner.widest = 0;
    Show();
    EXPECT_LE(owner.height, monitor.rcWork.bottom - monitor.rcWork.top);
    const size_t fit = owner.shown.size();
    EXPECT_EQ(owner.widest, static_cast<int>(fit)) << "a sub-menu longer than the top level";
    // Every entry once, in order, a few steps away at most.
    std::vector<UINT> commands;
    for (const Owner::Shown& entry : owner.tree) {
      if (entry.command >= kFirst && entry.command != UINT(-1)) commands.push_back(entry.command - kFirst);
      EXPECT_LE(entry.depth, 4);
    }
    std::vector<UINT> expected(count);
    for (UINT i = 0; i < count; ++i) expected[i] = i;
    EXPECT_EQ(commands, expected);
    // The title entry and its separator come first.
    const size_t rest = count + 2 - (fit - 1);
    EXPECT_EQ(owner.shown.back(), L"more (" + std::to_wstring(rest) + L")");
    // A sub-menu that holds a range of the rest names its first and last entry.
    for (size_t i = 0; i < owner.tree.size(); ++i) {
      const std::wstring& caption = owner.tree[i].caption;
      const size_t dash = caption.find(L" \u2013 ");
      if (dash == caption.npos) continue;
      size_t end = i + 1;
      while (end < owner.tree.size() && owner.tree[end].depth > owner.tree[i].depth) ++end;
      std::vector<std::wstring> leaves;
      for (size_t j = i + 1; j < end; ++j)
        if (owner.tree[j].command != UINT(-1)) leaves.push_back(owner.tree[j].caption);
      ASSERT_FALSE(leaves.empty());
      EXPECT_EQ(caption, leaves.front() + L" \u2013 " + leaves.back());
    }
  }
}

TEST_F(PopupMenuTest, OpensTheMenuItBuiltUntilWhatItShowsChanges) {
  Show();
  menu.Find("mnuAll")->Caption = L"Other";
  EXPECT_EQ(Show().front(), L"&Tamaroo") << "built again without a change";
  menu.Changed();
  EXPECT_EQ(Show().front(), L"Other");
}

}  // namespace
