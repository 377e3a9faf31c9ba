#pragma once
// A modal message dialog: an icon, a word-wrapped text and one "OK" button.
// The button, Enter, Esc, the close box and Alt+F4 close it; Ctrl+C copies its
// content to the clipboard as plain text.
#include <string>

#include "win/Handles.h"
#include "win/ModalDialog.h"

namespace win {

class MessageDialog : public ModalDialog {
 public:
  // Control identifiers of the icon and the text; the button's is IDOK.
  static constexpr int kImageId = 100;
  static constexpr int kMessageId = 101;

  // Makes the dialog, hidden, owned by the application window. `message` is
  // in the system code page; `iconName` names the program's icon resource,
  // loaded at the size of the monitor's icons (none when null). Throws Failure
  // when a window cannot be made; what was made is destroyed again.
  MessageDialog(std::wstring caption, std::string message, const wchar_t* iconName);

  // Shows the dialog until it closes: IDOK from the button, Enter or Esc,
  // IDCANCEL from the close box or Alt+F4.
  int ShowModal() { return RunModal(); }

 protected:
  bool TakeMessage(const MSG& msg) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void DrawPart(const DRAWITEMSTRUCT& item) const;
  void CopyToClipboard() const;

  std::wstring caption_;
  std::string message_;
  IconHandle icon_;
};

}  // namespace win
