#pragma once
// Makes the shell open shortcuts and folders with shell_recorder.exe, and reads
// back what it was asked to open.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "TamarooProcess.h"
#include "win/WideText.h"

namespace tamaroo_test {

inline void RegisterShellRecorder() {
  // Named, not a temporary: GCC 12 warns falsely (-Wrestrict) on "literal" + temporary at -O3.
  const std::string folder = TestProgramFolder();
  const std::string command = "\"" + folder + "shell_recorder.exe\" \"%1\"";
  for (const char* key : {"InternetShortcut\\shell\\open\\command", "Folder\\shell\\open\\command"}) {
    RegSetKeyValueA(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, command.c_str(), static_cast<DWORD>(command.size() + 1));
  }
}

// The paths opened so far by the shell from `workFolder`, after waiting for `count` of them.
inline std::vector<std::wstring> ShellOpened(const std::string& workFolder, size_t count) {
  std::vector<std::wstring> lines;
  WaitUntil(
      [&] {
        lines.clear();
        const HANDLE file = CreateFileA((workFolder + "shell-opened.txt").c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return count == 0;
        char buffer[8192];
        DWORD read = 0;
        ReadFile(file, buffer, sizeof buffer, &read, nullptr);
        CloseHandle(file);
        std::string line;
        for (DWORD i = 0; i < read; ++i) {
          if (buffer[i] != '\n')
            line += buffer[i];
          else
            lines.push_back(win::FromUtf8(reinterpret_cast<const char8_t*>(std::exchange(line, {}).c_str())));
        }
        return lines.size() >= count;
      },
      20);  // a new process under a loaded Wine can take seconds to start
  return lines;
}

}  // namespace tamaroo_test
