#include "win/FolderChanges.h"

#include <cstddef>
#include <utility>

namespace win {
namespace {

constexpr DWORD kBufferBytes = 64 * 1024;  // the most a network share takes

}  // namespace

FolderChanges::FolderChanges(std::wstring folder)
    : path_(std::move(folder)),
      event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      buffer_(kBufferBytes / sizeof(DWORD)) {
  overlapped_.hEvent = event_.get();
  Watch();
}

void FolderChanges::Watch() {
  folder_ =
      OwnFile(CreateFileW(path_.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
  if (folder_ && event_) Arm();
}

FolderChanges::~FolderChanges() {
  // The system must be done with the buffer before it goes.
  DWORD bytes = 0;
  if (armed_ && CancelIoEx(folder_.get(), &overlapped_)) GetOverlappedResult(folder_.get(), &overlapped_, &bytes, TRUE);
}

void FolderChanges::Arm() {
  ResetEvent(event_.get());
  armed_ =
      ReadDirectoryChangesW(folder_.get(), buffer_.data(), kBufferBytes, TRUE,
                            FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, nullptr, &overlapped_, nullptr);
}

std::optional<std::vector<FolderChange>> FolderChanges::Take() {
  if (!armed_) {
    Watch();
    return std::nullopt;
  }
  std::vector<FolderChange> changes;
  if (WaitForSingleObject(event_.get(), 0) != WAIT_OBJECT_0) return changes;
  DWORD bytes = 0;
  const bool read = GetOverlappedResult(folder_.get(), &overlapped_, &bytes, FALSE);
  if (read && bytes) {
    const auto* at = reinterpret_cast<const std::byte*>(buffer_.data());
    for (;;) {
      const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(at);
      if (info->Action != FILE_ACTION_MODIFIED) {
        changes.push_back({info->Action == FILE_ACTION_ADDED || info->Action == FILE_ACTION_RENAMED_NEW_NAME,
                           std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t))});
      }
      if (!info->NextEntryOffset) break;
      at += info->NextEntryOffset;
    }
  }
  Arm();
  // Nothing read: the system had more than the buffer holds.
  if (!read || !bytes) return std::nullopt;
  return changes;
}

}  // namespace win
