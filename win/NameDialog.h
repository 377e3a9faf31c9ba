#pragma once
// A modal dialog that asks for a name: a one-line edit box holding the current
// name, all selected, and OK and Cancel. Enter is OK; Esc, the close box and
// Alt+F4 are Cancel. OK asks `check` about the text: a refusal is shown on a
// line above the buttons and the dialog stays open with the focus in the edit
// box; no refusal closes it.
#include <functional>
#include <optional>
#include <string>

#include "win/ModalDialog.h"

namespace win {

class NameDialog : public ModalDialog {
 public:
  // The program's words on the dialog.
  struct Texts {
    std::wstring caption, ok, cancel;
  };
  // The refusal of a name, or an empty text for a name that will do.
  using Check = std::function<std::wstring(const std::wstring& name)>;

  // Control identifiers of the edit box and the refusal line; OK is IDOK,
  // Cancel IDCANCEL.
  static constexpr int kEditId = 100;
  static constexpr int kMessageId = 101;

  // Makes the dialog, hidden, owned by the application window. Throws Failure
  // when a window cannot be made; what was made is destroyed again.
  NameDialog(Texts texts, std::wstring name, Check check);

  // Shows the dialog until it closes: the accepted name, or nothing for Cancel.
  std::optional<std::wstring> ShowModal() {
    return RunModal() == IDOK ? std::optional(std::move(accepted_)) : std::nullopt;
  }

 private:
  void Accept() override;

  Check check_;
  HWND edit_ = nullptr;
  HWND message_ = nullptr;
  std::wstring accepted_;
};

}  // namespace win
