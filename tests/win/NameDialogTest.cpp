#include "win/NameDialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "RefuseWindows.h"
#include "ModalProbe.h"
#include "win/Application.h"
#include "win/Failure.h"

namespace {

using tamaroo_test::RunWithProbe;
using tamaroo_test::ThreadWindow;
using Probe = std::function<void(HWND dialog, HWND edit)>;

constexpr wchar_t kCaption[] = L"名前の変更";
constexpr wchar_t kName[] = L"ホームページ";
constexpr wchar_t kTaken[] = L"重複";
constexpr wchar_t kRefusal[] = L"その名前はもう使われています";

std::wstring TextOf(HWND hwnd) {
  wchar_t text[300] = L"";
  GetWindowTextW(hwnd, text, 300);
  return text;
}

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

class NameDialogTest : public ::testing::Test {
 protected:
  // Asks about kName; `probe` runs once inside the dialog's loop and must
  // close the dialog. kTaken is refused.
  std::optional<std::wstring> Show(const Probe& probe) {
    win::NameDialog dialog({kCaption, L"OK", L"キャンセル"}, kName, [&](const std::wstring& name) {
      checked.push_back(name);
      return std::wstring(name == kTaken ? kRefusal : L"");
    });
    std::optional<std::wstring> result;
    RunWithProbe([&] { result = dialog.ShowModal(); },
                 [&] {
                   const HWND shown = ThreadWindow(L"TNameForm");
                   probe(shown, GetDlgItem(shown, win::NameDialog::kEditId));
                 });
    return result;
  }

  win::Application app{L"Tamaroo", L"MAINICON"};
  std::vector<std::wstring> checked;
};

TEST_F(NameDialogTest, OkAndEnterGiveTheEditedNameCancelEscAndTheCloseBoxNone) {
  const struct {
    const char* how;
    Probe close;
    std::optional<std::wstring> result;
  } cases[] = {
      {"OK",
       [](HWND dialog, HWND edit) {
         SetWindowTextW(edit, L"新しい名前");
         Click(dialog, IDOK);
       },
       L"新しい名前"},
      {"Enter",
       [](HWND, HWND edit) {
         SetWindowTextW(edit, L"別の名前");
         PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
       },
       L"別の名前"},
      {"Cancel",
       [](HWND dialog, HWND edit) {
         SetWindowTextW(edit, L"新しい名前");
         Click(dialog, IDCANCEL);
       },
       std::nullopt},
      {"Esc", [](HWND, HWND edit) { PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0); }, std::nullopt},
      {"close box", [](HWND dialog, HWND) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    EXPECT_EQ(Show(c.close), c.result);
  }
}

TEST_F(NameDialogTest, ShowsItsCaptionWordsAndTheNameAllSelectedInTheFocusedEditBox) {
  std::wstring caption, name, ok, cancel;
  DWORD start = 1, end = 0;
  LRESULT limit = 0;
  bool focused = false, appEnabled = true;
  HWND owner = nullptr;
  Show([&](HWND dialog, HWND edit) {
    caption = TextOf(dialog);
    name = TextOf(edit);
    ok = TextOf(GetDlgItem(dialog, IDOK));
    cancel = TextOf(GetDlgItem(dialog, IDCANCEL));
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    limit = SendMessageW(edit, EM_GETLIMITTEXT, 0, 0);
    focused = GetFocus() == edit;
    appEnabled = IsWindowEnabled(app.Handle());
    owner = GetWindow(dialog, GW_OWNER);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(caption, kCaption);
  EXPECT_EQ(name, kName);
  EXPECT_EQ(ok, L"OK");
  EXPECT_EQ(cancel, L"キャンセル");
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, std::wstring(kName).size());
  EXPECT_EQ(limit, 255);
  EXPECT_TRUE(focused);
  EXPECT_FALSE(appEnabled);
  EXPECT_EQ(owner, app.Handle());
  EXPECT_TRUE(IsWindowEnabled(app.Handle()));
}

TEST_F(NameDialogTest, ARefusedNameIsToldInsideTheDialogWhichStaysOpenUntilANameIsAccepted) {
  std::wstring told;
  bool shown = false, focused = false;
  const auto result = Show([&](HWND dialog, HWND edit) {
    SetWindowTextW(edit, kTaken);
    Click(dialog, IDOK);
    // Looked at from the dialog's loop again, once the refusal is handled.
    tamaroo_test::PendingProbe() = [&, dialog, edit] {
      told = TextOf(GetDlgItem(dialog, win::NameDialog::kMessageId));
      shown = IsWindowVisible(dialog);
      focused = GetFocus() == edit;
      SetWindowTextW(edit, L"新しい名前");
      Click(dialog, IDOK);
    };
  });
  EXPECT_EQ(told, kRefusal);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(focused);
  EXPECT_EQ(checked, (std::vector<std::wstring>{kTaken, L"新しい名前"}));
  EXPECT_EQ(result, L"新しい名前");
}

TEST_F(NameDialogTest, APartThatCannotBeMadeFailsAndLeavesNoDialog) {
  {
    const tamaroo_test::RefuseWindows refuse(L"Edit");
    EXPECT_THROW(win::NameDialog({kCaption, L"OK", L"キャンセル"}, kName, nullptr), win::Failure);
  }
  EXPECT_FALSE(FindWindowW(L"TNameForm", nullptr));
}

}  // namespace
