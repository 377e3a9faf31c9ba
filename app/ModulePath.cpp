#include "app/ModulePath.h"

#include <windows.h>

#include "text/AnsiPath.h"
#include "win/WideText.h"

namespace app {

std::string ExecutableFolder() {
  char path[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return text::FolderOf(std::string_view(path, length), win::IsAnsiLeadByte);
}

}  // namespace app
