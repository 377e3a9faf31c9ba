#pragma once
// A pop-up menu kept as a tree of entries, plus the entries an owner keeps by
// the thousand in records of its own. The system menu is built from both when
// it first opens and kept until they change.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "win/Handles.h"

namespace win {

struct MenuItem {
  std::string Name;
  std::wstring Caption;  // "-" draws a separator line
  int ImageIndex = -1;   // into the menu's image list; -1 for none
  bool Visible = true;
  bool Checked = false;  // drawn with the round mark of one choice among several
  UINT Command = 0;      // what choosing it sends the owner; 0 for one with sub-entries
  std::vector<std::unique_ptr<MenuItem>> Items;

  bool IsLine() const { return Caption == L"-"; }
};

// Entries given to the menu when it is built, after the top level's own.
class MenuSource {
 public:
  struct Entry {
    std::wstring caption;  // "-" draws a separator line
    UINT command;          // none of the menu's own entries has it
    int imageIndex;
    bool hasEntries;  // a sub-menu, whose entries EntriesOf(command) gives
  };
  // The entries after the top level's own (`menu` 0), or those of the
  // sub-menu of the entry with that command.
  virtual void EntriesOf(UINT menu, std::vector<Entry>& entries) const = 0;

 protected:
  ~MenuSource() = default;
};

// A key that asks something of the selected entry while the menu is open.
struct EntryKey {
  UINT key;
  bool shift;
  UINT command;
};

class PopupMenu {
 public:
  MenuItem& Root() { return root_; }
  // Appends an entry at the end of `parent`'s sub-entries.
  MenuItem& Add(MenuItem& parent, MenuItem item);
  MenuItem* Find(std::string_view name);
  MenuItem* Find(UINT command);
  void SetSource(MenuSource* source) { source_ = source; }
  // The caption of the entry that opens what does not fit the screen; "%s"
  // stands for how many entries it holds.
  void SetOverflowCaption(std::wstring caption) { overflowCaption_ = std::move(caption); }
  // What the menu shows has changed (an entry's caption or the source's
  // entries): the next opening builds it again.
  void Changed() { changed_ = true; }

  // What the keys and a right click ask of an entry while the menu is open:
  // posted to the owner as kEntryCommandMessage, so that it runs inside the
  // menu's loop.
  template <typename Keys>
  void SetEntryCommands(const Keys& keys, UINT rightClick) {
    for (const auto& key : keys) entryKeys_.push_back({key.key, key.shift, key.command});
    rightClick_ = rightClick;
  }
  // Where the entry that a key or a right click was for lies on the screen.
  POINT ActionPoint() const { return actionPoint_; }

  // Opens the menu with its top-left corner at the screen point; the chosen
  // entry's command once it has closed, 0 for none.
  UINT Popup(HWND owner, POINT at);
  bool IsOpen() const { return owner_ != nullptr; }
  // Closes the open menu and opens it again where it was, made from the
  // tree as it is now (after an entry was removed or renamed).
  void Reopen();

  // The pictures the entries' ImageIndex points into; the menu does not own them.
  void SetImages(HIMAGELIST images) { images_ = images; }
  // The owner passes on WM_MEASUREITEM and WM_DRAWITEM: the system asks there
  // for the entries' pictures. False for a message about something else.
  bool MeasureItem(MEASUREITEMSTRUCT& item) const;
  bool DrawItem(const DRAWITEMSTRUCT& item) const;
  // The owner passes on WM_INITMENUPOPUP too: a sub-menu gets its entries
  // when it is about to open, so the menu opens at once whatever it holds.
  // False for a menu that is not waiting for them.
  bool InitPopup(HMENU menu);

 private:
  struct Row;
  // What a sub-menu will hold: a level of the tree or of the source, or a
  // part of a level that does not fit the screen.
  struct Pending {
    MenuItem* own = nullptr;
    UINT sourceMenu = 0;
    bool part = false;
    size_t first = 0, count = 0;
  };
  static LRESULT CALLBACK FilterMenuMessages(int code, WPARAM wParam, LPARAM lParam) noexcept;
  bool PostAction(const MSG& message);
  // The entries that fit a menu window at this point of the screen.
  size_t FitAt(POINT at) const;
  // The shown entries of `own` (with the source's after the top level's),
  // or of the source's in the sub-menu of `sourceMenu`.
  std::vector<Row> RowsOf(MenuItem* own, UINT sourceMenu);
  HMENU NewMenu(const Pending& contents);
  // A row that opens a sub-menu gets `sub`, or an empty one filled when it opens.
  void Insert(HMENU menu, const Row& row, HMENU sub = nullptr);
  // A level longer than fit_ ends in an entry that opens the rest.
  void InsertLevel(HMENU menu, const Pending& level, const std::vector<Row>& rows);
  void InsertGroups(HMENU menu, const Pending& level, const std::vector<Row>& rows, size_t first, size_t count);

  MenuItem root_;
  MenuSource* source_ = nullptr;
  std::wstring overflowCaption_ = L"%s";
  HIMAGELIST images_ = nullptr;
  std::vector<EntryKey> entryKeys_;
  UINT rightClick_ = 0;
  HWND owner_ = nullptr;
  POINT actionPoint_{};
  bool reopen_ = false;
  bool swallowRelease_ = false;
  MenuHandle built_;  // kept from one opening to the next
  bool changed_ = false;
  size_t fit_ = 0;                    // the entries it was built to fit
  std::vector<HMENU> menus_;          // the built menu and its sub-menus
  std::map<HMENU, Pending> pending_;  // sub-menus not opened yet
};

// A menu of captions ("-" a line) and commands, opened at `at` over
// whatever menu is open; the command chosen, 0 for none.
UINT TrackCommands(HWND owner, const std::vector<std::pair<std::wstring, UINT>>& rows, POINT at);

}  // namespace win
