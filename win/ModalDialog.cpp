#include "win/ModalDialog.h"

#include "win/Application.h"
#include "win/Dpi.h"
#include "win/FailureBox.h"

namespace win {
namespace {

constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME;

}  // namespace

ModalDialog::ModalDialog()
    : dpi_(PrimaryMonitorDpi()),
      ownFont_(MessageBoxFont(dpi_)),
      font_(ownFont_ ? ownFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {}

SIZE ModalDialog::LetterSize() const {
  static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const WindowDc screen(nullptr);
  const Selection selected(screen.get(), font_);
  SIZE letters{};
  GetTextExtentPoint32W(screen.get(), kLetters, 52, &letters);
  return {letters.cx / 52, letters.cy};
}

text::Box ModalDialog::CentredFrame(int clientWidth, int clientHeight) const {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustFrameForDpi(frame, kFrameStyle, kFrameExStyle, dpi_);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  return {text::CentredOrigin(GetSystemMetrics(SM_CXSCREEN), width),
          text::CentredOrigin(GetSystemMetrics(SM_CYSCREEN), height), width, height};
}

void ModalDialog::CreateFrame(const wchar_t* className, const std::wstring& caption, int clientWidth,
                              int clientHeight) {
  const text::Box frame = CentredFrame(clientWidth, clientHeight);
  CreateHandle({className, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr},
               {kFrameExStyle, kFrameStyle, caption.c_str(), frame.left, frame.top, frame.width, frame.height,
                Application::Instance().Handle()});
}

void ModalDialog::ResizeFrame(int clientWidth, int clientHeight) {
  const text::Box frame = CentredFrame(clientWidth, clientHeight);
  SetWindowPos(Handle(), nullptr, frame.left, frame.top, frame.width, frame.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND ModalDialog::AddPart(const wchar_t* className, const wchar_t* caption, DWORD exStyle, DWORD style, int id,
                          const text::Box& box) {
  const HWND part = Made(CreateWindowExW(
      exStyle, className, caption, WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.width, box.height, Handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr));
  SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return part;
}

int ModalDialog::RunModal() {
  const ModalScope modal;
  result_ = 0;
  ShowWindow(Handle(), SW_SHOWNORMAL);
  MSG msg;
  while (!result_) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      // The program is ending: close, and leave the quit message to the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      result_ = IDCANCEL;
    } else if (!TakeMessage(msg) && !IsDialogMessageW(Handle(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  ShowWindow(Handle(), SW_HIDE);
  return result_;
}

LRESULT ModalDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: End(IDCANCEL); return 0;
    case WM_COMMAND:
      // IsDialogMessage turns Enter into IDOK and Esc into IDCANCEL.
      if (LOWORD(wParam) == IDOK) {
        Accept();
        return 0;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        End(IDCANCEL);
        return 0;
      }
      break;
    case WM_SETFOCUS: SetFocus(GetNextDlgTabItem(Handle(), nullptr, FALSE)); return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace win
