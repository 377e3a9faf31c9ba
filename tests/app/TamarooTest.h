#pragma once
// What the tests of the running program share: folders beside and under a
// fresh copy of Tamaroo.exe, and the usual start and close.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BmpSamples.h"
#include "TamarooProcess.h"
#include "win/Handles.h"

namespace tamaroo_test {

inline std::vector<unsigned char> Face(int width, int height) {
  return bmp_samples::Make({.width = width, .height = height});
}

inline RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

inline COLORREF PixelAt(HWND hwnd, int x, int y) { return GetPixel(win::WindowDc(hwnd).get(), x, y); }

// A key press posted to a window of the program, as a menu's loop takes it.
inline void Key(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 0);
  PostMessageW(window, WM_KEYUP, key, 0);
}

// Real mouse input at a screen point, as the hand gives it.
inline void Mouse(DWORD flags, int x, int y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  Sleep(50);
}

class TamarooTest : public ::testing::Test {
 protected:
  std::unique_ptr<TamarooProcess> Start() {
    return std::make_unique<TamarooProcess>(exeFolder.Path(), workFolder.Path());
  }

  // Starts, expects no failure box, and returns the shown main window.
  HWND StartCleanly() {
    process = Start();
    const HWND main = process->WaitForMainWindow();
    EXPECT_NE(main, nullptr);
    EXPECT_TRUE(process->VisibleWindows(L"#32770").empty());
    return main;
  }

  HWND StartWithFace() {
    workFolder.Write("glyph.bmp", Face(205, 118));
    return StartCleanly();
  }

  std::string Setting(const char* key) const {
    char value[64] = "";
    GetPrivateProfileStringA("General", key, "<none>", value, sizeof value,
                             (exeFolder.Path() + "Settings.ini").c_str());
    return value;
  }

  void CloseAndExpectExit() {
    PostMessageW(process->WaitForMainWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(process->WaitForExit(), 0u);
  }

  TempFolder exeFolder;
  TempFolder workFolder;
  std::unique_ptr<TamarooProcess> process;
};

}  // namespace tamaroo_test
