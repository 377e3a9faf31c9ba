#pragma once
// The failure box, and the modal state around any box the program shows.
#include <windows.h>

#include <string_view>
#include <vector>

namespace win {

// While alive: the program's other windows are disabled and the main window
// leaves the topmost band, so a modal box stands in front of it; afterwards
// everything is enabled again, the main window is topmost again and the
// window that had the keyboard focus, and with it the activation, has it again.
class ModalScope {
 public:
  ModalScope();
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  std::vector<HWND> disabled_;
  HWND focus_ = GetFocus();
};

// Shows the text (with its final dot) in a stop box captioned with the
// application title, owned by the application window.
void ShowFailure(std::wstring_view text);

// Shows the text as it is in an information box, modal like the failure box.
void ShowInformation(std::wstring_view text);
// Asks the question in a box with Yes and No; whether Yes was chosen.
bool AskYesNo(std::wstring_view text);

// Shows the exception being handled; call it only inside a catch block.
void ShowCurrentFailure() noexcept;
// The same, from the program's message loop once the current message is
// done: for failures inside calls that another program waits on (a drop).
void ShowCurrentFailureLater() noexcept;

}  // namespace win
