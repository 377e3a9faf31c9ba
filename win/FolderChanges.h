#pragma once
// The names added to and removed from a folder's tree, as the file system
// tells them (ReadDirectoryChangesW), read on the program's one thread: the
// message loop waits on Signal(), and Take() hands over what came.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "win/Handles.h"

namespace win {

struct FolderChange {
  bool added;         // false: removed; a rename is the old name removed, the new one added
  std::wstring path;  // below the folder, as the file system names it
};

class FolderChanges {
 public:
  // `folder`: a path the wide calls take.
  explicit FolderChanges(std::wstring folder);
  ~FolderChanges();
  FolderChanges(const FolderChanges&) = delete;
  FolderChanges& operator=(const FolderChanges&) = delete;

  HANDLE Signal() const { return event_.get(); }
  // What came since the last call, in order; nothing when more came than
  // the system could keep, or while the folder cannot be watched (not there
  // yet, or a network share that refuses), so that everything must be
  // looked at again. Such a folder is tried again at each call.
  std::optional<std::vector<FolderChange>> Take();

 private:
  void Watch();
  void Arm();

  std::wstring path_;
  FileHandle folder_;
  FileHandle event_;
  OVERLAPPED overlapped_{};
  std::vector<DWORD> buffer_;  // DWORD-aligned, as the system writes it
  bool armed_ = false;
};

}  // namespace win
