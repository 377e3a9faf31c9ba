#include "win/Application.h"

#include <memory>

#include "win/FailureBox.h"
#include "win/Messages.h"
#include "win/MessageLoop.h"

namespace win {
namespace {

Application* current = nullptr;

int StartupShowCommand() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  if (startup.dwFlags & STARTF_USESHOWWINDOW) {
    if (startup.wShowWindow == SW_SHOWMAXIMIZED || startup.wShowWindow == SW_SHOWMINNOACTIVE)
      return startup.wShowWindow;
  }
  return SW_SHOWNORMAL;
}

}  // namespace

Application::Application(std::wstring title, const wchar_t* iconName)
    : title_(std::move(title)),
      // Shared icons from LoadIcon need no owner; they live as long as the module.
      icon_(LoadIconW(GetModuleHandleW(nullptr), iconName)) {
  CreateHandle({L"TApplication", 0, nullptr, icon_}, {0, WS_POPUP, title_.c_str(), 0, 0, 0, 0, nullptr});
  // Replaced as a whole, not combined: no taskbar button and no task-switch entry.
  SetWindowLongW(Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  // Hidden, so its place in the z-order shows nowhere; at the bottom it never
  // sits right behind the main window, where Wine keeps an owned window from
  // leaving the topmost band (it puts the window after itself).
  SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  current = this;
}

Application::~Application() { current = nullptr; }

Application& Application::Instance() { return *current; }

int Application::Run() {
  ShowWindow(main_, StartupShowCommand());
  UpdateWindow(main_);
  return RunMessageLoop();
}

LRESULT Application::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    if (main_) SendMessageW(main_, WM_CLOSE, 0, 0);
    return 0;
  }
  if (message == kShowFailureMessage) {
    const std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(lParam));
    ShowFailure(*text);
    return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace win
