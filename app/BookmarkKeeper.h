#pragma once
// What the program does with its bookmarks, apart from any window: it owns
// the store, the records the menu shows, the queue of drops and the watch on
// the folder, and runs one long operation at a time. Each call returns what
// happened, or throws win::Failure with the text to show.
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/BookmarkMenu.h"
#include "app/BookmarkStore.h"
#include "app/Drop.h"
#include "findfile/FindFile.h"
#include "win/FolderChanges.h"

namespace app {

// What an operation has to tell the user, as a box says it.
struct Said {
  std::wstring text;
  bool failure = false;
};

class BookmarkKeeper {
 public:
  // `exeFolder` ends with '\'. The bookmarks live in the folder that its
  // Settings.ini names as [General] Folder, absolute or relative to it;
  // "favorite" in it when none is named.
  explicit BookmarkKeeper(const std::string& exeFolder);

  // Makes the folder, reads its tree into the records in the order that
  // Settings.ini keeps, and starts watching it. A named folder that cannot
  // be reached is said; the records fill once it appears.
  std::optional<Said> Start();
  // Orders the menu so from now on and keeps the choice in Settings.ini;
  // throws Failure when it cannot be written, with the order applied.
  void SetOrder(EntryOrder order);
  // The storage folder, ending with '\'; empty until Start.
  const std::string& UrlFolder() const { return urlFolder_; }
  const BookmarkMenu& Records() const { return records_; }
  BookmarkMenu& Records() { return records_; }
  // Signalled when the folder's tree has changed; null before Start.
  HANDLE ChangeSignal() const { return changes_ ? changes_->Signal() : nullptr; }
  // Applies what other programs changed in the tree since the last call;
  // where the tree cannot be watched, reads it again.
  void TakeChanges();

  // What a drop brought waits here until StoreQueued: the drop returns at once.
  void Queue(Dropped dropped);
  // Queues what a drag offers if it brings bookmarks; whether it did.
  bool TakeDrop(const win::Offered& offered);
  // Stores what waits, each in turn and each drop's names in their order,
  // telling `progress` how an import goes; nothing while a long operation
  // runs, which goes on with the queue.
  std::vector<Said> StoreQueued(const Progress& progress = {});
  bool Busy() const { return busy_; }
  // Stores a shortcut file and gives it an entry; false when the name is no
  // shortcut's. A file that has an entry already keeps that one.
  bool AddUrlFile(const std::wstring& FileName);
  // Queues what the clipboard holds, as a drop of it would be.
  void Paste(HWND owner);
  // Writes the whole tree, in the menu's order, to a browser's bookmark file,
  // telling `progress` how it goes; stopped, it writes what it had read.
  Said Export(const std::wstring& file, const Progress& progress = {});

  // A bookmark opens in the browser, a folder in the file manager.
  void Open(UINT entry, HWND owner);
  // The bookmarks directly in a folder, in the menu's order.
  std::vector<UINT> BookmarksIn(UINT folder) const;
  // Reads the URLs of the bookmarks not read yet, for about `slice` (so
  // that the window never waits longer), to have them at hand; whether any
  // are left.
  bool ReadUrls(std::chrono::milliseconds slice);
  // The slice the program reads in while idle: a file that takes long to
  // read still leaves no message waiting 10 ms.
  static constexpr std::chrono::milliseconds kIdleSlice{5};
  // The bookmarks whose name, URL or folders hold every term typed, best
  // first (text::Finder), then by shorter name and by name: at most `most`.
  struct Findings {
    std::vector<UINT> best;
    size_t more = 0;           // matched beyond those
    bool urlsPending = false;  // some URLs are not read yet: those matched without them
  };
  Findings Find(std::wstring_view typed, size_t most) const;
  // The file of a site picture that the records name (BookmarkMenu::PictureOf).
  std::wstring PictureFileOf(std::uint32_t picture) const;
  // How many site pictures the records name, numbered from 1.
  std::uint32_t PictureCount() const { return static_cast<std::uint32_t>(pictureNames_.size()); }
  // The host of the bookmark's URL as read so far; empty when none.
  std::string_view HostOf(UINT entry) const;
  // Bookmarks that lead to one page (text::PageKey), in the menu's order,
  // each group oldest first; a shortcut without a URL is in none.
  struct SamePage {
    std::string url;  // the first one's
    std::vector<UINT> entries;
  };
  std::vector<SamePage> SamePages();
  // The folder an entry is in, below the storage folder; empty at its top.
  std::wstring FolderOf(UINT entry) const;
  // Returns the name the entry has now.
  void Rename(UINT entry, const std::wstring& typed);
  void Delete(UINT entry);
  void CopyUrl(UINT entry, HWND owner) const;

 private:
  void FindFileFind(const TSearchRec& found);
  // Reads the whole tree, or the folder at `relative` (ending with '\'), into the records.
  void ReadTree(const std::wstring& relative = {});
  void Apply(const win::FolderChange& change);
  // The entries below `folder` as a bookmark file has them, counted.
  struct Collecting;
  void Collect(UINT folder, std::vector<text::BookmarkEntry>& into, Collecting& collecting) const;
  void StoreDrop(const Dropped& dropped, const Progress& progress, std::vector<Said>& said);
  Said Import(const std::wstring& file, const Progress& progress);
  // Gives a stored file its entry.
  void Record(const Bookmark& stored);
  // The number of a picture by its file name in the picture folder, made on
  // first sight; 0 for none.
  std::uint32_t PictureId(const std::wstring& name);
  // The entry's file or folder; throws "<path> が見つかりません" and drops
  // the entry when it is gone.
  std::wstring ExistingPath(UINT entry);

  std::string settingsFile_;
  std::string namedFolder_;  // as Settings.ini names it; empty for "favorite"
  BookmarkStore store_;
  std::string urlFolder_;
  TFindFile search_;
  BookmarkMenu records_;
  std::unique_ptr<win::FolderChanges> changes_;
  std::deque<Dropped> queue_;
  // The bookmarks' URLs as read, by entry, in one block of text: a URL's
  // place and length, kUnread or kNoUrl.
  static constexpr int32_t kUnread = -1, kNoUrl = -2;
  struct UrlPlace {
    uint32_t at = 0;
    int32_t length = kUnread;
  };
  std::string urlText_;
  std::vector<UrlPlace> urls_;
  size_t urlsRead_ = 0;  // the entries before this one are read
  // The bookmark's URL, read now unless it was; nothing when it has none.
  std::optional<std::string_view> UrlOf(UINT entry);
  // The bookmark's URL if it was read; empty otherwise.
  std::string_view ReadUrlOf(UINT entry) const;
  std::vector<std::wstring> pictureNames_;  // by number, from 1
  std::unordered_map<std::wstring, std::uint32_t> pictureIds_;
  bool busy_ = false;  // a long operation runs: a walk, an import, an export
};

}  // namespace app
