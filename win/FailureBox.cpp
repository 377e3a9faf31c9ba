#include "win/FailureBox.h"

#include <exception>
#include <memory>
#include <string>

#include "text/FailureText.h"
#include "win/Application.h"
#include "win/Failure.h"
#include "win/Form.h"
#include "win/Messages.h"
#include "win/WideText.h"

namespace win {
namespace {

// Boxes open now; a box shown over another one leaves the main window where
// the outer one put it.
int modalDepth = 0;

BOOL CALLBACK DisableWindow(HWND hwnd, LPARAM list) noexcept {
  if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    try {
      reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    } catch (...) {
      return FALSE;  // out of memory: leave the rest enabled rather than lose track
    }
    EnableWindow(hwnd, FALSE);
  }
  return TRUE;
}

// The text of the exception being handled.
std::wstring CurrentFailureText() {
  try {
    throw;
  } catch (const Failure& failure) {
    return failure.Text();
  } catch (const std::exception& e) {
    // Library failures carry UTF-8 texts (plain ASCII for the standard ones).
    return FromUtf8(reinterpret_cast<const char8_t*>(e.what()));
  } catch (...) {
    return FromUtf8(Texts().unexpected);
  }
}

}  // namespace

ModalScope::ModalScope() {
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  const Application& app = Application::Instance();
  if (IsWindowEnabled(app.Handle())) {
    disabled_.push_back(app.Handle());
    EnableWindow(app.Handle(), FALSE);
  }
  EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled_));
  if (modalDepth++ == 0) SetTopmost(app.MainWindow(), false);
}

ModalScope::~ModalScope() {
  for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it) EnableWindow(*it, TRUE);
  if (--modalDepth == 0) SetTopmost(Application::Instance().MainWindow(), true);
  // A closed message box hands the activation to its owner, the hidden
  // application window, and leaves the focus nowhere.
  if (IsWindow(focus_)) SetFocus(focus_);
}

namespace {

int ShowBox(const std::wstring& text, UINT type) {
  const Application& app = Application::Instance();
  ModalScope modal;
  return MessageBoxW(app.Handle(), text.c_str(), app.Title().c_str(), type);
}

}  // namespace

void ShowFailure(std::wstring_view text) { ShowBox(text::WithFinalDot(std::wstring(text)), MB_OK | MB_ICONSTOP); }

void ShowInformation(std::wstring_view text) { ShowBox(std::wstring(text), MB_OK | MB_ICONINFORMATION); }

bool AskYesNo(std::wstring_view text) { return ShowBox(std::wstring(text), MB_YESNO | MB_ICONQUESTION) == IDYES; }

void ShowCurrentFailure() noexcept {
  try {
    ShowFailure(CurrentFailureText());
  } catch (...) {
    // Out of memory while reporting: nothing more can be shown.
  }
}

void ShowCurrentFailureLater() noexcept {
  try {
    auto text = std::make_unique<std::wstring>(CurrentFailureText());
    if (PostMessageW(Application::Instance().Handle(), kShowFailureMessage, 0, reinterpret_cast<LPARAM>(text.get())))
      text.release();
  } catch (...) {
    // As above.
  }
}

}  // namespace win
