// The title menu's search for bookmarks that lead to one page.
#include <cwchar>

#include "app/MainWindow.h"
#include "resources/Texts.h"
#include "win/CheckListDialog.h"
#include "win/FailureBox.h"
#include "win/WideText.h"

namespace app {

void TfrmMain::mnuFindDuplicatesClick() {
  const std::vector<BookmarkKeeper::SamePage> pages = keeper_.SamePages();
  if (pages.empty()) return win::ShowInformation(win::FromUtf8(resources::kNoDuplicates));
  std::vector<win::CheckListDialog::Group> groups;
  for (const BookmarkKeeper::SamePage& page : pages) {
    groups.push_back({win::FromAnsi(page.url), {}});
    // The oldest is kept unless the user says otherwise.
    for (const UINT entry : page.entries) groups.back().items.push_back({Described(entry), entry != page.entries[0]});
  }
  const auto checked =
      win::CheckListDialog({win::FromUtf8(resources::kDuplicatesCaption), win::FromUtf8(resources::kDuplicatesPrompt),
                            win::FromUtf8(resources::kOk), win::FromUtf8(resources::kCancel)},
                           groups)
          .ShowModal();
  if (!checked) return;
  std::vector<UINT> doomed;
  for (size_t group = 0; group < checked->size(); ++group) {
    for (const size_t item : (*checked)[group]) doomed.push_back(pages[group].entries[item]);
  }
  Working([&](const Progress& progress) {
    for (size_t i = 0; i < doomed.size() && progress(i, doomed.size()); ++i) keeper_.Delete(doomed[i]);
  });
}

// "name — folder — date added", as a line of the duplicates' list.
std::wstring TfrmMain::Described(UINT entry) const {
  std::wstring line = keeper_.Records().NameOf(entry);
  if (const std::wstring folder = keeper_.FolderOf(entry); !folder.empty()) line += L" \u2014 " + folder;
  const std::int64_t ticks = keeper_.Records().AddedOf(entry);
  FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)}, local;
  SYSTEMTIME time;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &time)) return line;
  wchar_t date[32];
  swprintf(date, 32, L" \u2014 %04u-%02u-%02u %02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute);
  return line + date;
}

}  // namespace app
