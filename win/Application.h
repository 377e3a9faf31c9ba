#pragma once
// The application window: invisible, without taskbar presence, owner of the
// main window. It carries the application title and icon.
#include <string>

#include "win/Form.h"

namespace win {

class Application : public Form {
 public:
  Application(std::wstring title, const wchar_t* iconName);
  ~Application() override;

  // The one application object of the running program.
  static Application& Instance();

  const std::wstring& Title() const { return title_; }
  HICON Icon() const { return icon_; }
  HWND MainWindow() const { return main_; }

  void SetMainWindow(HWND main) { main_ = main; }

  // Shows the main window as the start-up show command asks and runs the
  // message loop until the quit message; returns the quit code.
  int Run();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::wstring title_;
  HICON icon_;
  HWND main_ = nullptr;
};

}  // namespace win
