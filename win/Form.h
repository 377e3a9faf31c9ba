#pragma once
// Base of the program's windows: one object per window, bound to its handle
// when the window is created. No C++ exception leaves the window procedure:
// a failure in a handler is shown in the failure box and the program goes on.
#include <windows.h>

#include "win/Handles.h"

namespace win {

struct FormClass {
  const wchar_t* name;
  UINT style;
  HBRUSH background;
  HICON icon;
};

struct FormPlacement {
  DWORD exStyle;
  DWORD style;
  const wchar_t* caption;
  int left, top, width, height;
  HWND owner;
};

class Form {
 public:
  Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  HWND Handle() const { return hwnd_; }

 protected:
  // Throws Failure with the system's error text when the window cannot be made.
  void CreateHandle(const FormClass& windowClass, const FormPlacement& placement);
  // Handles one message; the default is the system's own processing.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  HWND hwnd_ = nullptr;
};

// Puts the window into the topmost band or takes it out, without moving,
// sizing or activating it; a null window is left alone.
void SetTopmost(HWND hwnd, bool topmost);

// The window just made, or Failure with the system's reason when it was not.
HWND Made(HWND window);

}  // namespace win
