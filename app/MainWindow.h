#pragma once
// The main window: a borderless, always-on-top face that is dragged around,
// opens its pop-up menu of bookmarks on a click, and remembers where it was left.
#include <map>
#include <optional>
#include <string>
#include <vector>

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

  // Stores the shortcut in the storage folder and appends its entry; false
  // when the name is no shortcut's or the file could not be stored.
  bool AddUrlFile(const std::string& FileName);

  win::PopupMenu popMenu;
  TFindFile FindFile;
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
  void FindFileFind(const std::string& FileName, const std::string& Path, const TSearchRec& Search, bool& Cancel);
  void MenuItemClick(const std::string& folder, const std::string& bareName, const std::string& shortName);
  void mnuOpenURLFolderClick();
  void mnuAboutClick();
  void WMDropFiles(HDROP drop);
  void mnuExitClick();

  void RestorePosition();
  void WritePosition();
  void SetUpUrlFolder();
  void ScanUrlFolder();
  void CompleteMenu();
  void RegisterDrops();
  void AddUrlFiles(const std::vector<std::string>& names);
  void AddLink(const text::WebLink& link);
  // The entry of a shortcut `fileName` in `folder`; `shortName`, its 8.3 name
  // if it has one, still opens it when the long name does not fit the code page.
  void AppendBookmark(win::MenuItem& parent, const std::string& folder, const std::string& fileName,
                      const std::string& shortName);
  win::MenuItem& AppendEntry(win::MenuItem& parent, win::MenuItem item);
  // The sub-menu of a folder inside the storage folder, made when first asked for.
  win::MenuItem& FolderMenu(const std::string& path);

  std::string exeFolder_;
  win::Bitmap GlyphBitmap;
  win::ImageListHandle il;
  std::map<std::string, win::MenuItem*> folderMenus_;
  // Declared last: revoked before anything it calls into goes.
  Microsoft::WRL::ComPtr<win::DropTarget> dropTarget_;
  std::optional<win::DropRegistration> dropRegistration_;
};

// The one main window while it exists.
extern TfrmMain* frmMain;

}  // namespace app
