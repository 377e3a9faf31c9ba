#include "win/Form.h"

#include "win/Failure.h"
#include "win/FailureBox.h"
#include "win/WideText.h"

namespace win {

Form::~Form() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void Form::CreateHandle(const FormClass& windowClass, const FormPlacement& placement) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, windowClass.name, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = windowClass.style;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = windowClass.icon;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = windowClass.background;
    wc.lpszClassName = windowClass.name;
    RegisterClassExW(&wc);
  }
  SetLastError(0);
  if (!CreateWindowExW(placement.exStyle, windowClass.name, placement.caption, placement.style, placement.left,
                       placement.top, placement.width, placement.height, placement.owner, nullptr, instance, this)) {
    // A creation hook can refuse the window without saying why.
    const DWORD error = GetLastError();
    hwnd_ = nullptr;  // bound on WM_NCCREATE to a window that is gone again
    throw Failure(error ? SystemErrorText(error) : FromUtf8(Texts().cannotCreateWindow));
  }
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
  try {
    return form->HandleMessage(message, wParam, lParam);
  } catch (...) {
    ShowCurrentFailure();
    return 0;
  }
}

void SetTopmost(HWND hwnd, bool topmost) {
  if (hwnd) {
    SetWindowPos(hwnd, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

HWND Made(HWND window) {
  if (!window) throw Failure(SystemErrorText(GetLastError()));
  return window;
}

}  // namespace win
