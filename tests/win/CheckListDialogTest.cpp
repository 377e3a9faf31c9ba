#include "win/CheckListDialog.h"

#include <gtest/gtest.h>

#include <functional>

#include "ModalProbe.h"
#include "win/Application.h"

namespace {

using Checked = win::CheckListDialog::Checked;
using Probe = std::function<void(HWND dialog, HWND list)>;

// Rows: 0 "A", 1 a0 ✓, 2 a1, 3 "B", 4 b0, 5 b1 ✓, 6 "C", 7 c0 ✓.
const std::vector<win::CheckListDialog::Group> kGroups = {
    {L"A", {{L"a0", true}, {L"a1", false}}}, {L"B", {{L"b0", false}, {L"b1", true}}}, {L"C", {{L"c0", true}}}};

std::optional<Checked> Show(const std::vector<win::CheckListDialog::Group>& groups, const Probe& probe) {
  win::CheckListDialog dialog({L"重複", L"消すものに印を付けてください", L"OK", L"キャンセル"}, groups);
  std::optional<Checked> result;
  tamaroo_test::RunWithProbe([&] { result = dialog.ShowModal(); },
                             [&] {
                               const HWND shown = tamaroo_test::ThreadWindow(L"TCheckListForm");
                               probe(shown, GetDlgItem(shown, win::CheckListDialog::kListId));
                             });
  return result;
}

TEST(CheckListDialogTest, OkGivesTheCheckedItemsOfEachGroupCancelEscAndTheCloseBoxNone) {
  const win::Application app(L"Tamaroo", L"MAINICON");
  const struct {
    const char* how;
    Probe close;
    std::optional<Checked> result;
  } cases[] = {
      {"boxes changed, a title refused one",
       [](HWND dialog, HWND list) {
         ListView_SetCheckState(list, 1, FALSE);
         ListView_SetCheckState(list, 4, TRUE);
         ListView_SetCheckState(list, 6, TRUE);
         EXPECT_EQ(ListView_GetItemState(list, 6, LVIS_STATEIMAGEMASK), 0u);
         SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
       },
       Checked{{}, {0, 1}, {0}}},
      {"Space on the first item, then Enter",
       [](HWND, HWND list) {
         PostMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
         PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
       },
       Checked{{}, {1}, {0}}},
      {"Cancel", [](HWND dialog, HWND) { SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }, std::nullopt},
      {"Esc", [](HWND, HWND list) { PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0); }, std::nullopt},
      {"close box", [](HWND dialog, HWND) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    EXPECT_EQ(Show(kGroups, c.close), c.result);
  }
}

TEST(CheckListDialogTest, ShowsEveryRowOfAShortListAndAtMostTwoThirdsOfTheScreenOfALongOne) {
  const win::Application app(L"Tamaroo", L"MAINICON");
  const std::vector<win::CheckListDialog::Group> many(400, {std::wstring(400, L'x'), {{L"y", true}, {L"z", false}}});
  for (const auto* groups : {&kGroups, &many}) {
    RECT frame{};
    int shown = 0;
    Show(*groups, [&](HWND dialog, HWND list) {
      GetWindowRect(dialog, &frame);
      shown = ListView_GetCountPerPage(list);
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_GE(shown, 8);
    EXPECT_LE(frame.bottom - frame.top, GetSystemMetrics(SM_CYSCREEN) * 2 / 3 + GetSystemMetrics(SM_CYCAPTION) + 10);
    EXPECT_LE(frame.right - frame.left, GetSystemMetrics(SM_CXSCREEN));
  }
}

}  // namespace
