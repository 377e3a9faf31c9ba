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
  // `folder`: a path the wide calls take. Watching() is false where the
  // folder refuses to be watched (some network shares).
  explicit FolderChanges(const std::wstring& folder);
  ~FolderChanges();
  FolderChanges(const FolderChanges&) = delete;
  FolderChanges& operator=(const FolderChanges&) = delete;

  bool Watching() const { return armed_; }
  HANDLE Signal() const { return event_.get(); }
  // What came since the last call, in order; nothing when more came than
  // the system could keep, so that everything must be looked at again.
  std::optional<std::vector<FolderChange>> Take();

 private:
  void Arm();

  FileHandle folder_;
  FileHandle event_;
  OVERLAPPED overlapped_{};
  std::vector<DWORD> buffer_;  // DWORD-aligned, as the system writes it
  bool armed_ = false;
};

}  // namespace win
