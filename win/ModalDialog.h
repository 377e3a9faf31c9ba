#pragma once
// Base of the program's modal dialogs: a window owned by the application
// window, in the system's message-box font at the primary monitor's DPI,
// centred on that screen, shown with the program's other windows disabled.
// The close box and Alt+F4 end it with IDCANCEL; the focus goes to its first
// tab stop.
#include <string>

#include "text/Layout.h"
#include "win/Form.h"
#include "win/Handles.h"

namespace win {

class ModalDialog : public Form {
 public:
  // The dialogs' common measures in dialog units (a quarter of the font's
  // average character width, an eighth of its height).
  static constexpr int kMargin = 7;
  static constexpr int kGap = 4;
  static constexpr int kButtonWidth = 50;
  static constexpr int kButtonHeight = 14;

 protected:
  ModalDialog();

  UINT Dpi() const { return dpi_; }
  HFONT Font() const { return font_; }
  // The letters "A" to "Z" and "a" to "z" in the font: their width over 52, their height.
  SIZE LetterSize() const;

  // Makes the window, hidden, with a client area of this size; throws Failure
  // when it cannot be made.
  void CreateFrame(const wchar_t* className, const std::wstring& caption, int clientWidth, int clientHeight);
  // Gives the window a client area of this size, centred on the screen again,
  // for a dialog that can measure its parts only once they are made.
  void ResizeFrame(int clientWidth, int clientHeight);
  // A control in the dialog's font; throws Failure when it cannot be made.
  HWND AddPart(const wchar_t* className, const wchar_t* caption, DWORD exStyle, DWORD style, int id,
               const text::Box& box);

  // Shows the dialog and runs its loop until End: the result given there, or
  // IDCANCEL when the program is ending.
  int RunModal();
  void End(int result) { result_ = result; }
  // OK, or Enter: ends the dialog unless a dialog of its own says otherwise.
  virtual void Accept() { End(IDOK); }
  // A message of the loop that the dialog takes before the dialog keys do.
  virtual bool TakeMessage(const MSG&) { return false; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  text::Box CentredFrame(int clientWidth, int clientHeight) const;

  UINT dpi_;
  FontHandle ownFont_;
  HFONT font_;
  int result_ = 0;
};

}  // namespace win
