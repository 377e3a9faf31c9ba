#pragma once
// The storage folder and every file operation on it: the shortcuts kept
// there are the program's bookmarks. Names are taken as the file system has
// them (wide); a store is whole or absent, never a cut-short ".url" file.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "findfile/FindFile.h"
#include "text/BookmarkFile.h"
#include "text/InternetShortcut.h"

namespace app {

// A shortcut in the storage folder.
struct Bookmark {
  std::wstring path;         // full, as the file system has it
  bool isNew = false;        // stored just now; false: it was there before
  std::int64_t created = 0;  // when it was made, in file-time ticks, if stored just now
  std::wstring picture;      // its site picture's file in the picture folder; empty for none
};

// What a stored shortcut says.
struct StoredShortcut {
  std::optional<std::string> url;  // nothing when it has no URL= line
  std::wstring picture;            // as in Bookmark
};

// A file time as one number of ticks.
inline std::int64_t FileTicks(FILETIME time) {
  return static_cast<std::int64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

// What a bookmark file brought.
struct Imported {
  std::vector<Bookmark> stored;  // the new shortcuts, in the file's order
  size_t skipped = 0;            // links the file's reading left out, and links already stored in their folder
  size_t picturesSkipped = 0;    // pictures of stored links that were not taken
  std::wstring failure;          // why the import stopped part-way; empty when it did not
  bool stopped = false;          // the caller's progress asked it to stop part-way
};

// Told after each step of long work how many of how many are done; false
// stops the work there, keeping what was done.
using Progress = std::function<bool(size_t done, size_t total)>;

class BookmarkStore {
 public:
  // `folder` ends with '\'.
  explicit BookmarkStore(const std::string& folder);

  const std::string& Folder() const { return folder_; }
  const std::wstring& WideFolder() const { return wideFolder_; }
  // Where the site pictures are kept, each once, named by its bytes: inside
  // the storage folder, so they travel with it, in a folder whose leading
  // dot keeps it out of the menu. Ends with '\'.
  static constexpr wchar_t kPictureFolderName[] = L".favicons";
  std::wstring PictureFolder() const { return wideFolder_ + kPictureFolderName + L'\\'; }

  // Makes the folder with every missing level (whether that worked is not
  // told: a path blocked by a file stays missing) and removes what a killed
  // process left half-written.
  void Prepare() const;
  // Walks `folder` (the storage folder's own, or one of its tree) with the
  // search and tells, in its order, each folder entered, each shortcut found
  // (its file name) and each folder left.
  struct Walker {
    std::function<void(const std::wstring& name)> entered;
    std::function<void(const TSearchRec& shortcut)> found;
    std::function<void()> left;
  };
  void Walk(TFindFile& search, const std::string& folder, const Walker& walker) const;
  // Copies a dropped shortcut in, with the picture it names taken into the
  // picture folder and named instead; nothing for a name that is no
  // shortcut's or a folder. A file that is in the tree already, or whose
  // bytes a stored one under its name has, is not stored again.
  std::optional<Bookmark> CopyIn(const std::wstring& source) const;
  // Writes a new shortcut for a dragged link, named after its title, with
  // the picture it came with (a kept one: KeptPicture); the same link twice
  // is stored once.
  Bookmark WriteLink(const text::WebLink& link, const std::vector<std::uint8_t>& picture = {}) const;
  // Both throw Failure "<name> を格納できません" when nothing could be stored.

  // Stores the links of a browser's bookmark file, its folders as subfolders,
  // under the names dragged links get, never replacing a file; a link whose
  // URL its folder held before is skipped, so a second import adds nothing.
  // A folder's ADD_DATE becomes its times too. `progress`, when given, is
  // told after each entry. Throws Failure "<name> はブックマークファイルではありません"
  // (or that it is too large, or "<path> が見つかりません") when nothing is read.
  Imported Import(const std::wstring& bookmarkFile, const Progress& progress = {}) const;
  // What a bookmark file says of a stored shortcut: its URL, its picture as
  // ICON data, and its last-write time as ADD_DATE; nothing when it has no URL= line or cannot
  // be read. A folder of the tree (a path ending with '\\') gives only its
  // ADD_DATE, its entries left to the caller.
  std::optional<text::BookmarkEntry> EntryOf(const std::wstring& path, std::wstring title) const;
  // Writes `tree` to `target` as a browser's bookmark file, replacing it only
  // once written whole. Throws Failure "<target> に書き込めません".
  void WriteBookmarkFile(const std::wstring& target, const std::vector<text::BookmarkEntry>& tree) const;

  // Moves a stored shortcut, or a folder of the tree with everything in it,
  // to the Recycle Bin, which is the undo. Throws Failure "<path> が見つかりません"
  // when it is gone, and with the system's text when the system refuses.
  void Remove(const std::wstring& path) const;
  // Renames a stored shortcut or a folder of the tree (a path ending with
  // '\\') to the name the link-title rule makes of `typed`, without replacing
  // anything; returns the new file or folder name. Throws Failure with the reason to show
  // when the name is empty or taken, or the system refuses.
  std::wstring Rename(const std::wstring& path, const std::wstring& typed) const;
  // Throws Failure "<path> が見つかりません" when it cannot be read.
  StoredShortcut Read(const std::wstring& path) const;

 private:
  // Stores `bytes` as "<bare>.url", or the first free "<bare> (2).url"...
  Bookmark Store(const std::wstring& keptName, const std::string& bytes, const std::wstring& shownName) const;
  std::string folder_;
  std::wstring wideFolder_;
};

}  // namespace app
