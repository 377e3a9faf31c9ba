#pragma once
// A modal message dialog: an icon, a word-wrapped text and one "OK" button,
// laid out from the system's message-box font at the primary monitor's DPI
// and centred on that screen. The button, Enter, Esc, the close box and Alt+F4 close it; Ctrl+C
// copies its content to the clipboard as plain text.
#include <string>

#include "text/Layout.h"
#include "win/Form.h"
#include "win/Handles.h"

namespace win {

class MessageDialog : public Form {
 public:
  // Control identifiers of the icon and the text; the button's is IDOK.
  static constexpr int kImageId = 100;
  static constexpr int kMessageId = 101;

  // Makes the dialog, hidden, owned by the application window. `message` is
  // in the system code page; `iconName` names the program's icon resource,
  // loaded at the size of the monitor's icons (none when null). Throws Failure
  // when a window cannot be made; what was made is destroyed again.
  MessageDialog(std::wstring caption, std::string message, const wchar_t* iconName);

  // Shows the dialog with the program's other windows disabled and runs its
  // message loop until it closes: IDOK from the button, Enter or Esc, IDCANCEL
  // from the close box or Alt+F4.
  int ShowModal();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND AddPart(const wchar_t* className, const wchar_t* caption, DWORD style, int id, const text::Box& box);
  void DrawPart(const DRAWITEMSTRUCT& item) const;
  void CopyToClipboard() const;

  std::wstring caption_;
  std::string message_;
  UINT dpi_;
  IconHandle icon_;
  FontHandle ownFont_;
  HFONT font_;
  HWND button_ = nullptr;
  int result_ = 0;
};

}  // namespace win
