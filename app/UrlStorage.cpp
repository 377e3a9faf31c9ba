#include "app/UrlStorage.h"

#include <windows.h>

#include "text/AnsiPath.h"
#include "win/Handles.h"
#include "win/WideText.h"

namespace app {
namespace {

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

win::FileHandle OpenForReading(const std::string& path) {
  return win::OwnFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

bool SameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION x, y;
  return GetFileInformationByHandle(a, &x) && GetFileInformationByHandle(b, &y) &&
         x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
         x.nFileIndexLow == y.nFileIndexLow;
}

bool SameBytes(HANDLE a, HANDLE b) {
  LARGE_INTEGER sizeA, sizeB;
  if (!GetFileSizeEx(a, &sizeA) || !GetFileSizeEx(b, &sizeB) || sizeA.QuadPart != sizeB.QuadPart) return false;
  char bufferA[8192], bufferB[8192];
  for (;;) {
    DWORD readA = 0, readB = 0;
    if (!ReadFile(a, bufferA, sizeof bufferA, &readA, nullptr) ||
        !ReadFile(b, bufferB, sizeof bufferB, &readB, nullptr) || readA != readB)
      return false;
    if (readA == 0) return true;
    if (memcmp(bufferA, bufferB, readA) != 0) return false;
  }
}

// Whether `stored` already holds the source: the same file, or a copy of it.
bool Holds(const std::string& stored, const std::string& source) {
  const win::FileHandle a = OpenForReading(stored);
  const win::FileHandle b = OpenForReading(source);
  return a && b && (SameFile(a.get(), b.get()) || SameBytes(a.get(), b.get()));
}

}  // namespace

void ForceFolders(const std::string& folder) {
  std::string path = folder;
  if (!path.empty() && text::LastDelimiter(path, "\\", win::IsAnsiLeadByte) == path.size() - 1) path.pop_back();
  const std::string parent = text::FolderOf(path, win::IsAnsiLeadByte);
  if (path.size() < 3 || IsFolder(path) || parent == path) return;
  ForceFolders(parent);
  CreateDirectoryA(path.c_str(), nullptr);
}

std::optional<std::string> StoreShortcut(const std::string& source, const std::string& folder) {
  const std::string bare = text::BareNameOf(source, win::IsAnsiLeadByte);
  const std::string extension = text::ExtensionOf(source, win::IsAnsiLeadByte);
  // Bounded, so a folder filled by someone else cannot keep us here.
  for (int n = 1; n <= 1000; ++n) {
    const std::string name = bare + (n == 1 ? "" : " (" + std::to_string(n) + ")") + extension;
    const std::string target = folder + name;
    if (CopyFileA(source.c_str(), target.c_str(), TRUE)) return name;
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;  // not taken: the copy itself failed
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) && Holds(target, source)) return name;
  }
  return std::nullopt;
}

}  // namespace app
