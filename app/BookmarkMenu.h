#pragma once
// The bookmark entries of the menu: one record for each shortcut and folder
// of the storage tree, in the order the scan and the stores brought them.
// Kept small, since tens of thousands of bookmarks are held at once: a record
// holds its own name only, and a path is made from the names when asked for.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/BookmarkStore.h"
#include "win/PopupMenu.h"

namespace app {

class BookmarkMenu : public win::MenuSource {
 public:
  // `folder`: the storage folder, ending with '\'; `open` opens a chosen
  // bookmark's file.
  BookmarkMenu(std::wstring folder, std::function<void(const std::wstring& path)> open);

  void Clear();
  // Appends the bookmark's entry at the end of its folder's entries, making
  // the folders' entries it needs; a file that has an entry gets no second.
  void Add(const Bookmark& bookmark);
  // The same without the look for a second entry: what one scan reports
  // after Clear() comes once each.
  void AddFound(const Bookmark& bookmark);
  // Gives back the room kept for more, once a scan is done.
  void Compact();
  // Takes the entry, and a folder's entries with it, out of the menu.
  void Remove(UINT command);

  bool Has(UINT command) const;
  bool IsFolder(UINT command) const;
  // A bookmark's file, or a folder's path ending with '\'.
  std::wstring PathOf(UINT command) const;
  // As the menu shows it: a bookmark's file name without ".url", a folder's
  // name with "&" doubled, so it marks no access key.
  std::wstring CaptionOf(UINT command) const;
  // "popItemN" for an entry of the top level, empty below it.
  std::string NameOf(UINT command) const;
  // The entry of that name; 0 when none has it.
  UINT Find(std::string_view name) const;
  // The entries at the top level (0) or in a folder's sub-menu, in order.
  const std::vector<UINT>& EntriesIn(UINT folder) const;

  void EntriesOf(UINT menu, std::vector<Entry>& entries) const override;
  bool Choose(UINT command) override;

 private:
  static constexpr uint32_t kTop = UINT32_MAX;
  static constexpr uint32_t kGone = UINT32_MAX - 1;
  static constexpr uint32_t kNoLevel = UINT32_MAX;
  struct Record {
    std::wstring name;  // as the file system has it
    uint32_t parent;    // the folder's record; kTop, or kGone once removed
    uint32_t level;     // a folder's entries in levels_; kNoLevel for a bookmark
    uint32_t popItem;   // N of "popItemN" at the top level, else 0
  };

  void Append(const Bookmark& bookmark, bool lookForSecond);
  // The record of a folder (path ending with '\'), made when first asked for; kTop for the storage folder.
  uint32_t FolderOf(std::wstring_view path);
  uint32_t Append(std::wstring name, uint32_t parent, bool folder);
  std::vector<UINT>& LevelOf(uint32_t parent) { return levels_[parent == kTop ? 0 : records_[parent].level]; }
  const Record* At(UINT command) const;

  std::wstring folder_;
  std::function<void(const std::wstring&)> open_;
  std::vector<Record> records_;
  std::vector<std::vector<UINT>> levels_{1};  // the top level first
  std::map<std::wstring, uint32_t, std::less<>> folders_;
  uint32_t nextPopItem_ = 1;  // "popItemN" names are never used twice
};

}  // namespace app
