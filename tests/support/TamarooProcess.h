#pragma once
// Runs the real Tamaroo.exe as a user would start it, finds its windows, and
// gives the tests their folders, waits, clipboard and Recycle Bin.
#include <windows.h>

#include <string>
#include <vector>

namespace tamaroo_test {

// The folder of the running test program, ending with '\': the programs
// built beside it (Tamaroo.exe, the shell recorder, the drag source) are there.
std::string TestProgramFolder();
// The Tamaroo.exe built beside the test programs.
std::string BuiltTamaroo();

// Removes a folder (ending with '\') with all in it, however named or deep.
void RemoveTree(const std::string& folder);

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  explicit TempFolder(const std::string& leaf = "");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Ends with '\'.
  const std::string& Path() const { return path_; }
  void Write(const std::string& name, const std::vector<unsigned char>& bytes) const;
  void Write(const std::string& name, const std::string& text) const;
  bool Exists(const std::string& name) const;
  std::string Read(const std::string& name) const;

 private:
  std::string root_;
  std::string path_;
};

class TamarooProcess {
 public:
  // Copies Tamaroo.exe into `exeFolder` as `exeName` and starts it there, in
  // `workFolder`.
  TamarooProcess(const std::string& exeFolder, const std::string& workFolder,
                 const std::string& exeName = "Tamaroo.exe");
  ~TamarooProcess();
  TamarooProcess(const TamarooProcess&) = delete;
  TamarooProcess& operator=(const TamarooProcess&) = delete;

  // The first of the process's top-level windows of this class and title
  // that passes `visibleOnly`, waited for up to a few seconds; null if none.
  HWND WaitForWindow(const wchar_t* className, const wchar_t* title, bool visibleOnly = true) const;
  HWND WaitForMainWindow() const { return WaitForWindow(L"TfrmMain", L"Tamaroo"); }
  HWND WaitForFailureBox() const { return WaitForWindow(L"#32770", L"Tamaroo"); }
  HWND WaitForMenu() const { return WaitForWindow(L"#32768", nullptr); }
  // The process's windows of this class that are visible now.
  std::vector<HWND> VisibleWindows(const wchar_t* className) const;

  HANDLE Handle() const { return process_.hProcess; }
  // The exit code, or STILL_ACTIVE if it did not end within a few seconds.
  DWORD WaitForExit() const;

 private:
  PROCESS_INFORMATION process_{};
};

// The names in a folder (ending with '\'), sorted, so a file left behind shows.
std::vector<std::string> FileNames(const std::string& folder);
// Writes `path` until its disk holds no more, down to the last byte.
void FillDisk(const std::string& path);

// Text of the message box's text control.
std::wstring BoxText(HWND box);
// Presses OK and waits until the box is gone.
void DismissBox(HWND box);

// Waits until `done` holds, looking every `poll` milliseconds for up to
// `seconds`; returns its last value.
template <typename Condition>
bool WaitUntil(Condition done, int seconds = 5, DWORD poll = 10) {
  for (const ULONGLONG end = GetTickCount64() + seconds * 1000ull; GetTickCount64() < end; Sleep(poll)) {
    if (done()) return true;
  }
  return done();
}
// Waits, looking every millisecond, until a window of the class shows (or,
// with `shown` false, none does); returns the one shown, null if none came.
HWND WaitForShown(const wchar_t* className, bool shown = true, int seconds = 10);
// Dispatches every message waiting in this thread's queue.
void DispatchWaiting();

// `format`: L"CF_UNICODETEXT" or the name of a registered format.
void PutOnClipboard(const wchar_t* format, const std::wstring& text);
// The clipboard's CF_TEXT (char) or CF_UNICODETEXT (wchar_t), or empty.
template <typename Char>
std::basic_string<Char> ClipboardText(UINT format) {
  std::basic_string<Char> text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE data = GetClipboardData(format)) {
    text = static_cast<const Char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// The files of Wine's Recycle Bin, the trash under XDG_DATA_HOME as the test
// script sets it: a Windows path ending in '\', empty when that is unset.
std::string TrashFolder();

// The GDI and USER objects a process holds.
struct GuiObjects {
  DWORD gdi, user;
};
GuiObjects GuiObjectsOf(HANDLE process);

}  // namespace tamaroo_test
