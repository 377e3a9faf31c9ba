#pragma once
// The bookmark entries of the menu: one record for each shortcut and folder
// of the storage tree, in the order the walk and the stores brought them.
// Kept small, since tens of thousands of bookmarks are held at once: a record
// holds its own name only, and a path is made from the names when asked for.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "resources/Commands.h"
#include "text/ShortcutName.h"
#include "win/PopupMenu.h"

namespace app {

// How the entries of each level are ordered: as the walk and the stores
// brought them; folders first, then bookmarks, each by name; or folders
// first, then bookmarks newest first.
enum class EntryOrder { Listed, Name, Added };

class BookmarkMenu : public win::MenuSource {
 public:
  // `folder`: the storage folder, ending with '\'.
  explicit BookmarkMenu(std::wstring folder);

  void Clear();
  // What a walk of the tree tells, in its order: a folder entered, whose
  // entry is made once a shortcut is found below it; a shortcut found in the
  // folder entered last; that folder left.
  void EnterFolder(std::wstring name);
  void AddFound(std::wstring name, std::int64_t added);
  void LeaveFolder();
  // Orders what the walk brought and gives back the room kept for more.
  void Complete();
  // Orders every level by `order` from now on; Listed leaves them as they are.
  void SetOrder(EntryOrder order);
  EntryOrder Order() const { return order_; }

  // The entry of a path below the storage folder ("news\a.url", "news");
  // 0 when none has it.
  UINT Find(std::wstring_view relative) const;
  // The shortcut's entry: the one it has, or a new one where the order puts
  // it (the end of its folder's entries when listed), with the folders'
  // entries it needs. `isNew` says that the file was stored just now, so it
  // has none yet; `added` is when it was, in file-time ticks.
  UINT Add(std::wstring_view relative, bool isNew, std::int64_t added);
  // Takes the entry, and a folder's entries with it, out of the menu.
  void Remove(UINT command);
  // The entry keeps its place under its new file name.
  void Rename(UINT command, std::wstring name);
  // How many entries were ever made: commands run below CmdFirstEntry + this.
  size_t Count() const { return records_.size(); }
  // Counts the changes: the menu is built again when it has moved.
  unsigned Generation() const { return generation_; }

  bool Has(UINT command) const;
  bool IsFolder(UINT command) const;
  // A bookmark's file, or a folder's path ending with '\'.
  std::wstring PathOf(UINT command) const;
  // As the user calls it: a bookmark's file name without ".url", a folder's name.
  std::wstring NameOf(UINT command) const;
  // A bookmark's creation time, in file-time ticks.
  std::int64_t AddedOf(UINT command) const;
  // A bookmark's site picture, numbered by the keeper; 0 for none.
  void SetPicture(UINT command, std::uint32_t picture);
  // Where each site picture is in the menu's image list (-1: unreadable).
  void ShowPicturesWith(std::function<int(std::uint32_t picture)> imageOf) { imageOf_ = std::move(imageOf); }
  // The entry's picture in the menu's image list: its site's, or the generic one.
  int ImageOf(UINT command) const;
  // "popItemN" for an entry of the top level, empty below it.
  std::string PopItemName(UINT command) const;
  // The entry of that "popItemN" name; 0 when none has it.
  UINT FindPopItem(std::string_view name) const;
  // The entries at the top level (0) or in a folder's sub-menu, in order.
  const std::vector<UINT>& EntriesIn(UINT folder) const;

  void EntriesOf(UINT menu, std::vector<Entry>& entries) const override;

  // Every entry in the menu, in the order made, so a folder comes before
  // what it holds: visit(entry, its name as the user calls it, whether it is
  // a folder, the folder above it or 0 at the top).
  template <typename Visit>
  void ForEachEntry(Visit&& visit) const {
    std::vector<bool> gone(records_.size());
    for (uint32_t index = 0; index < records_.size(); ++index) {
      const Record& record = records_[index];
      gone[index] = record.parent == kGone || (record.parent != kTop && gone[record.parent]);
      if (gone[index]) continue;
      const bool folder = record.level != kNoLevel;
      visit(resources::CmdFirstEntry + index,
            folder ? std::wstring_view(record.name) : text::BareShortcutName(record.name), folder,
            record.parent == kTop ? 0 : resources::CmdFirstEntry + record.parent);
    }
  }

 private:
  static constexpr uint32_t kTop = UINT32_MAX;
  static constexpr uint32_t kGone = UINT32_MAX - 1;
  static constexpr uint32_t kNoLevel = UINT32_MAX;
  struct Record {
    std::wstring name;          // as the file system has it
    uint32_t parent;            // the folder's record; kTop, or kGone once removed
    uint32_t level;             // a folder's entries in levels_; kNoLevel for a bookmark
    uint32_t popItem;           // N of "popItemN" at the top level, else 0
    std::int64_t added;         // a bookmark's creation time
    std::uint32_t picture = 0;  // a bookmark's site picture; 0 for the generic one
  };

  // Appends the entry; `place` puts it where the order says instead.
  uint32_t Append(std::wstring name, uint32_t parent, bool folder, std::int64_t added, bool place);
  void Place(UINT command);
  bool Before(UINT a, UINT b) const;
  // The bookmark in the folder's entries with that name; kGone when none.
  uint32_t FindIn(uint32_t parent, std::wstring_view name) const;
  // The folder that holds `relative`'s last name, with the entries of the
  // folders on the way made where missing, and that name.
  std::pair<uint32_t, std::wstring_view> Locate(std::wstring_view relative);
  uint32_t MakeFolder(std::wstring name, uint32_t parent, std::wstring path, bool place);
  // The folders' records by path below the storage folder, ending with '\'.
  void ForgetFolders(const std::wstring& path);
  std::vector<UINT>& LevelOf(uint32_t parent) { return levels_[parent == kTop ? 0 : records_[parent].level]; }
  const std::vector<UINT>& LevelOf(uint32_t parent) const {
    return levels_[parent == kTop ? 0 : records_[parent].level];
  }
  const Record* At(UINT command) const;

  std::wstring folder_;
  std::vector<Record> records_;
  std::vector<std::vector<UINT>> levels_{1};  // the top level first
  std::map<std::wstring, uint32_t, std::less<>> folders_;
  // The folders a walk is in, outermost first: name, path and record once made.
  struct Walking {
    std::wstring name, path;
    uint32_t record;
  };
  std::vector<Walking> walk_;
  uint32_t nextPopItem_ = 1;  // "popItemN" names are never used twice
  std::function<int(std::uint32_t)> imageOf_;
  EntryOrder order_ = EntryOrder::Listed;
  unsigned generation_ = 0;
};

}  // namespace app
