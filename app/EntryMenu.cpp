// What is asked of one bookmark's or folder's entry in the open menu.
#include "app/MainWindow.h"
#include "resources/MainWindowDescription.h"
#include "resources/Texts.h"
#include "text/FailureText.h"
#include "text/IntegerText.h"
#include "win/Failure.h"
#include "win/FailureBox.h"
#include "win/NameDialog.h"
#include "win/WideText.h"

namespace app {

void TfrmMain::EntryMenu(UINT entry) {
  const bool folder = keeper_.Records().IsFolder(entry);
  std::vector<std::pair<std::wstring, UINT>> rows;
  for (const auto& item : resources::kEntryMenu) {
    if (folder ? item.forFolder : item.forBookmark) rows.emplace_back(win::FromUtf8(item.caption), item.command);
  }
  // Over the open menu's entry, or else over the search window's result.
  const bool found = !popMenu.IsOpen() && find_ && IsWindowVisible(find_->Handle());
  Dispatch(
      win::TrackCommands(found ? find_->Handle() : Handle(), rows, found ? find_->MenuPoint() : popMenu.ActionPoint()),
      entry);
}

void TfrmMain::OpenAll(UINT folder) {
  const std::vector<UINT> bookmarks = keeper_.BookmarksIn(folder);
  EndMenu();
  if (bookmarks.size() > resources::kOpenAllWithoutAsking &&
      !win::AskYesNo(text::Format(win::FromUtf8(resources::kOpenAllQuestion), {text::Decimal(bookmarks.size())})))
    return;
  Working([&](const Progress& progress) {
    for (size_t i = 0; i < bookmarks.size() && progress(i, bookmarks.size()); ++i) keeper_.Open(bookmarks[i], Handle());
  });
}

void TfrmMain::RenameEntry(UINT entry) {
  win::NameDialog dialog(
      {win::FromUtf8(resources::kRenameCaption), win::FromUtf8(resources::kOk), win::FromUtf8(resources::kCancel)},
      keeper_.Records().NameOf(entry), [&](const std::wstring& typed) {
        try {
          keeper_.Rename(entry, typed);
          return std::wstring();
        } catch (const win::Failure& refused) {
          return text::WithFinalDot(refused.Text());
        }
      });
  if (dialog.ShowModal()) popMenu.Reopen();
}

void TfrmMain::DeleteEntry(UINT entry) {
  keeper_.Delete(entry);
  popMenu.Reopen();
}

}  // namespace app
