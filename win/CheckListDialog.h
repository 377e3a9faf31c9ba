#pragma once
// A modal dialog that lists items in groups, each item with a check box: a
// line of text, the list, and OK and Cancel. Each group opens with a row of
// its own title, which has no box. Space toggles the selected row's box;
// Enter is OK; Esc, the close box and Alt+F4 are Cancel. The dialog is as
// wide as its longest line and as tall as its rows, within the screen (at
// most two thirds of its height); the list scrolls beyond that.
#include <optional>
#include <string>
#include <vector>

#include "win/ModalDialog.h"

namespace win {

class CheckListDialog : public ModalDialog {
 public:
  // The program's words on the dialog.
  struct Texts {
    std::wstring caption, prompt, ok, cancel;
  };
  struct Item {
    std::wstring text;
    bool checked;
  };
  struct Group {
    std::wstring title;
    std::vector<Item> items;
  };
  // For each group, the positions of its checked items, in order.
  using Checked = std::vector<std::vector<size_t>>;

  // Control identifiers of the line of text and the list; OK is IDOK, Cancel
  // IDCANCEL.
  static constexpr int kPromptId = 100;
  static constexpr int kListId = 101;

  // Makes the dialog, hidden, owned by the application window. Throws Failure
  // when a window cannot be made; what was made is destroyed again.
  CheckListDialog(const Texts& texts, const std::vector<Group>& groups);

  // Shows the dialog until it closes: the items checked at OK, or nothing for Cancel.
  std::optional<Checked> ShowModal() { return RunModal() == IDOK ? std::optional(std::move(checked_)) : std::nullopt; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // What a row of the list shows: an item of a group, or the group's title.
  struct Row {
    size_t group, item;
  };
  static constexpr size_t kTitle = static_cast<size_t>(-1);

  void Fill(const std::vector<Group>& groups);
  void LayOut(const std::wstring& prompt);
  void Accept() override;

  HWND prompt_ = nullptr;
  HWND list_ = nullptr;
  HWND ok_ = nullptr;
  HWND cancel_ = nullptr;
  std::vector<Row> rows_;
  size_t groupCount_ = 0;
  Checked checked_;
};

}  // namespace win
