#pragma once
// The main window: a borderless, always-on-top face that is dragged around,
// opens its pop-up menu of bookmarks on a click, and remembers where it was left.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/BookmarkMenu.h"
#include "app/BookmarkStore.h"
#include "app/ModulePath.h"
#include "findfile/FindFile.h"
#include "win/Bitmap.h"
#include "win/DropTarget.h"
#include "win/Form.h"
#include "win/Handles.h"
#include "win/PopupMenu.h"

namespace app {

class TfrmMain : public win::Form {
 public:
  // Builds the window from its description and runs FormCreate. Settings.ini
  // and the storage folder "favorite" live in `exeFolder` (ending with '\').
  explicit TfrmMain(std::string exeFolder = ExecutableFolder());
  ~TfrmMain() override;

  // Stores the shortcut in the storage folder and appends its entry unless
  // it has one; false when the name is no shortcut's or the file could not
  // be stored (said in a box).
  bool AddUrlFile(const std::wstring& FileName);

  win::PopupMenu popMenu;
  TFindFile FindFile;
  // The bookmarks' and the folders' entries of popMenu.
  const BookmarkMenu& Bookmarks() const { return bookmarks_; }
  // The storage folder, ending with '\'; empty until start-up has set it up.
  std::string UrlFolder;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildMenu();
  void FormCreate();
  void FormClose();
  void FormPaint(HDC dc);
  void FormClick();
  void FormMouseDown(bool leftButton);
  void FormContextMenu(LPARAM screenPoint);
  void FindFileFind(const Bookmark& found);
  void MenuItemClick(const std::wstring& path);
  void mnuOpenURLFolderClick();
  void mnuPasteClick();
  void mnuImportClick();
  void mnuExportClick();
  // Stores the links of a browser's bookmark file and says how many.
  void ImportBookmarks(const std::wstring& file);
  // What is asked of a bookmark's or a folder's entry while the menu is open.
  void EntryAction(UINT command, win::PopupMenu::ItemAction action);
  void RenameEntry(UINT command, const std::wstring& path);
  void CopyUrl(const std::wstring& path);
  void DeleteEntry(UINT command, const std::wstring& path);
  void mnuAboutClick();
  void WMDropFiles(HDROP drop);
  void mnuExitClick();

  void LoadFace();
  void RestorePosition();
  void WritePosition();
  void SetUpUrlFolder();
  void ScanUrlFolder();
  // A change in the folder's tree marks the menu stale; the next opening
  // makes the bookmark entries again from the folder.
  void WatchUrlFolder();
  void RefreshMenu();
  void CompleteMenu();
  // The menu's pictures at the small-icon size of this DPI; the program's
  // icon, for the title entry, goes last.
  void LoadMenuPictures(UINT dpi);
  void AddTitleIcon();
  void WMDpiChanged(UINT dpi, const RECT& suggested);
  void RegisterDrops();
  // What a drop brought is stored from the program's own queue, after the
  // drop has returned, so the source never waits on a store or its box.
  void StoreLater(win::Dropped dropped);
  void StorePendingDrops();
  void AddUrlFiles(const std::vector<std::wstring>& names);
  void AddLink(const text::WebLink& offered);
  // The one way an entry is made: for the scan, copies and links alike; a
  // file that has an entry already gets no second one.
  void AppendBookmark(const Bookmark& bookmark);

  std::string exeFolder_;
  BookmarkStore store_;
  win::Bitmap GlyphBitmap;
  win::ImageListHandle il;
  BookmarkMenu bookmarks_;
  std::deque<win::Dropped> pending_;
  win::ChangeHandle folderChanges_;
  bool stale_ = false;
  bool dragOver_ = false;  // a drag that will be taken is over the face
  bool storing_ = false;
  // Declared last: revoked before anything it calls into goes.
  Microsoft::WRL::ComPtr<win::DropTarget> dropTarget_;
  std::optional<win::DropRegistration> dropRegistration_;
};

// The one main window while it exists.
extern TfrmMain* frmMain;

}  // namespace app
