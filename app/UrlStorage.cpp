#include "app/UrlStorage.h"

#include <windows.h>

#include <cstring>

#include "text/AnsiPath.h"
#include "text/ShortcutName.h"
#include "win/Handles.h"
#include "win/WideText.h"

namespace app {
namespace {

enum class Attempt { Stored, Taken, Failed };

// Bounded, so a folder filled by someone else cannot keep us here.
constexpr int kMaxAttempts = 1000;

// Tries "<bare>.url", "<bare> (2).url"... in `folder` until one is stored.
template <typename Try>
std::optional<std::string> StoreUnderFreeName(const std::string& folder, const std::string& bare, Try tryAt) {
  for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
    const std::string name = text::NumberedShortcutName(bare, attempt);
    switch (tryAt(folder + name)) {
      case Attempt::Stored: return name;
      case Attempt::Failed: return std::nullopt;
      case Attempt::Taken: break;
    }
  }
  return std::nullopt;
}

win::FileHandle OpenForReading(const std::string& path) {
  return win::OwnFile(CreateFileW(win::WidePath(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
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
    if (std::memcmp(bufferA, bufferB, readA) != 0) return false;
  }
}

// Whether `stored` already holds the source: the same file, or a copy of it.
bool Holds(const std::string& stored, const std::string& source) {
  const win::FileHandle a = OpenForReading(stored);
  const win::FileHandle b = OpenForReading(source);
  return a && b && (SameFile(a.get(), b.get()) || SameBytes(a.get(), b.get()));
}

}  // namespace

unsigned long FileAttributes(const std::string& path) { return GetFileAttributesW(win::WidePath(path).c_str()); }

bool IsFolder(const std::string& path) {
  const DWORD attributes = FileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ForceFolders(const std::string& folder) {
  std::string path = folder;
  if (!path.empty() && text::LastDelimiter(path, "\\", win::IsAnsiLeadByte) == path.size() - 1) path.pop_back();
  const std::string parent = text::FolderOf(path, win::IsAnsiLeadByte);
  if (path.size() < 3 || IsFolder(path) || parent == path) return;
  ForceFolders(parent);
  CreateDirectoryW(win::WidePath(path).c_str(), nullptr);
}

std::optional<std::string> StoreShortcut(const std::string& source, const std::string& folder) {
  return StoreUnderFreeName(folder, text::BareNameOf(source, win::IsAnsiLeadByte), [&](const std::string& target) {
    if (CopyFileW(win::WidePath(source).c_str(), win::WidePath(target).c_str(), TRUE)) return Attempt::Stored;
    const DWORD attributes = FileAttributes(target);
    if (attributes == INVALID_FILE_ATTRIBUTES) return Attempt::Failed;  // not taken: the copy itself failed
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) && Holds(target, source)) return Attempt::Stored;
    return Attempt::Taken;
  });
}

std::optional<std::string> StoreLink(const std::string& folder, const text::WebLink& link) {
  std::string bare = win::ToAnsi(text::ShortcutFileName(link.title, link.url, win::CanHoldInAnsi));
  bare.resize(bare.size() - 4);  // ".url"
  const std::string contents = text::ShortcutContents(link.url);
  return StoreUnderFreeName(folder, bare, [&](const std::string& path) {
    const std::wstring widePath = win::WidePath(path);
    win::FileHandle file = win::OwnFile(
        CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FileAttributes(path) != INVALID_FILE_ATTRIBUTES ? Attempt::Taken : Attempt::Failed;
    DWORD written = 0;
    if (WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
        written == contents.size())
      return Attempt::Stored;
    // A part-written shortcut would be a broken bookmark.
    file.reset();
    DeleteFileW(widePath.c_str());
    return Attempt::Failed;
  });
}

}  // namespace app
