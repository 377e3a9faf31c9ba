#include "TamarooProcess.h"

#include <winternl.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "win/Handles.h"
#include "win/WideText.h"

namespace tamaroo_test {
namespace {

struct Search {
  DWORD process;
  const wchar_t* className;
  const wchar_t* title;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND hwnd, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  wchar_t text[256];
  if (process != search.process) return TRUE;
  if (search.visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
  GetClassNameW(hwnd, text, 256);
  if (wcscmp(text, search.className) != 0) return TRUE;
  GetWindowTextW(hwnd, text, 256);
  if (search.title && wcscmp(text, search.title) != 0) return TRUE;
  search.found.push_back(hwnd);
  return TRUE;
}

// `folder` in its "\\?\" form, without its final '\'. File by file: Wine's
// SHFileOperation takes minutes for a folder of 30,000 shortcuts.
void RemoveWide(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  if (const win::SearchHandle search = win::OwnSearch(FindFirstFileW((folder + L"\\*").c_str(), &found))) {
    do {
      const std::wstring name = found.cFileName, path = folder + L"\\" + name;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      // A link to a folder goes, not what it leads to.
      if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
          FILE_ATTRIBUTE_DIRECTORY)
        RemoveWide(path);
      else if (!DeleteFileW(path.c_str()))
        RemoveDirectoryW(path.c_str());
    } while (FindNextFileW(search.get(), &found));
  }
  RemoveDirectoryW(folder.c_str());
}

// The process's windows under `parent` and below.
DWORD WindowsUnder(HWND parent, DWORD processId) {
  DWORD count = 0;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId) count += 1 + WindowsUnder(w, processId);
  }
  return count;
}

}  // namespace

void RemoveTree(const std::string& folder) {
  RemoveWide(L"\\\\?\\" + win::FromAnsi(folder.substr(0, folder.size() - 1)));
}

std::string TestProgramFolder() {
  char path[MAX_PATH];
  const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  return self.substr(0, self.find_last_of('\\') + 1);
}

std::vector<std::string> FileNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.cFileName != std::string(".") && found.cFileName != std::string("..")) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

void FillDisk(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const std::string block(4096, 'x');
  DWORD written = 0;
  for (DWORD size = 4096; size; size /= 2) {
    while (WriteFile(file, block.data(), size, &written, nullptr) && written == size) {
    }
  }
  CloseHandle(file);
}

std::string BuiltTamaroo() { return TestProgramFolder() + "Tamaroo.exe"; }

TempFolder::TempFolder(const std::string& leaf) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  // Process ids come round again, and a killed test leaves its folder behind.
  static int counter = 0;
  do {
    root_ = std::string(temp) + "tamaroo-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  } while (!CreateDirectoryA(root_.c_str(), nullptr));
  path_ = root_ + "\\";
  if (!leaf.empty()) {
    path_ += leaf + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
}

TempFolder::~TempFolder() { RemoveTree(root_ + "\\"); }

void TempFolder::Write(const std::string& name, const std::vector<unsigned char>& bytes) const {
  const HANDLE file =
      CreateFileA((path_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path_ + name);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

void TempFolder::Write(const std::string& name, const std::string& text) const {
  Write(name, std::vector<unsigned char>(text.begin(), text.end()));
}

std::string TempFolder::Read(const std::string& name) const {
  std::string bytes(65536, '\0');
  const HANDLE file =
      CreateFileA((path_ + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD read = 0;
  if (file != INVALID_HANDLE_VALUE) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool TempFolder::Exists(const std::string& name) const {
  return GetFileAttributesA((path_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TamarooProcess::TamarooProcess(const std::string& exeFolder, const std::string& workFolder,
                               const std::string& exeName) {
  const std::string exe = exeFolder + exeName;
  if (!CopyFileA(BuiltTamaroo().c_str(), exe.c_str(), FALSE))
    throw std::runtime_error("cannot copy Tamaroo.exe to " + exeFolder);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, workFolder.c_str(),
                      &startup, &process_))
    throw std::runtime_error("cannot start " + exe);
  WaitForInputIdle(process_.hProcess, 5000);
}

TamarooProcess::~TamarooProcess() {
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

std::vector<HWND> TamarooProcess::VisibleWindows(const wchar_t* className) const {
  Search search{process_.dwProcessId, className, nullptr, true, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND TamarooProcess::WaitForWindow(const wchar_t* className, const wchar_t* title, bool visibleOnly) const {
  Search search{process_.dwProcessId, className, title, visibleOnly, {}};
  WaitUntil([&] {
    search.found.clear();
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return !search.found.empty() || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
  });
  return search.found.empty() ? nullptr : search.found.front();
}

DWORD TamarooProcess::WaitForExit() const {
  if (WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::wstring BoxText(HWND box) {
  wchar_t text[1024] = L"";
  GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return text;
}

void DismissBox(HWND box) {
  SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); });
}

HWND WaitForShown(const wchar_t* className, bool shown, int seconds) {
  HWND hwnd = nullptr;
  const auto done = [&] { return ((hwnd = FindWindowW(className, nullptr)) && IsWindowVisible(hwnd)) == shown; };
  return WaitUntil(done, seconds, 1) && shown ? hwnd : nullptr;
}

void DispatchWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

void PutOnClipboard(const wchar_t* format, const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  win::GlobalHandle block(GlobalAlloc(GMEM_MOVEABLE, bytes));
  std::memcpy(GlobalLock(block.get()), text.c_str(), bytes);
  GlobalUnlock(block.get());
  OpenClipboard(nullptr);
  EmptyClipboard();
  const UINT id = wcscmp(format, L"CF_UNICODETEXT") ? RegisterClipboardFormatW(format) : CF_UNICODETEXT;
  if (SetClipboardData(id, block.get())) block.release();  // the clipboard's now
  CloseClipboard();
}

std::string TrashFolder() {
  char unixPath[MAX_PATH] = "";
  if (!GetEnvironmentVariableA("XDG_DATA_HOME", unixPath, MAX_PATH)) return "";
  std::string folder = std::string("Z:") + unixPath + "/Trash/files/";
  std::replace(folder.begin(), folder.end(), '/', '\\');
  return folder;
}

// Where GetGuiResources says 0 for both, as Wine's does, the GDI objects are
// counted in the GDI handle table that the PEB points to, the USER ones as windows.
GuiObjects GuiObjectsOf(HANDLE process) {
  GuiObjects counted{GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS)};
  if (counted.gdi || counted.user) return counted;
  counted.user = WindowsUnder(GetDesktopWindow(), GetProcessId(process));
  PROCESS_BASIC_INFORMATION basic{};
  NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr);
  const BYTE* address = nullptr;
  std::vector<BYTE> table(0x10000 * 24);  // entries of 24 bytes, the object's type at byte 14
  if (ReadProcessMemory(process, reinterpret_cast<BYTE*>(basic.PebBaseAddress) + 0xF8, &address, sizeof address,
                        nullptr) &&
      ReadProcessMemory(process, address, table.data(), table.size(), nullptr))
    for (size_t type = 14; type < table.size(); type += 24) counted.gdi += table[type] != 0;
  return counted;
}

}  // namespace tamaroo_test
