// Stands in for the browser and the file manager: the shell starts it with the
// path it was asked to open, and it appends that path (UTF-8) as a line to
// "shell-opened.txt" in its working folder.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

int main() {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (count < 2) return 1;
  // A folder path's final '\' and the closing quote of "%1" read as one '"'.
  if (const size_t n = wcslen(args[1]); n && args[1][n - 1] == L'"') args[1][n - 1] = L'\\';
  char path[4096];
  const int length = WideCharToMultiByte(CP_UTF8, 0, args[1], -1, path, sizeof path, nullptr, nullptr);
  FILE* log = std::fopen("shell-opened.txt", "ab");
  if (!log || length == 0) return 1;
  std::fprintf(log, "%s\n", path);
  std::fclose(log);
  return 0;
}
