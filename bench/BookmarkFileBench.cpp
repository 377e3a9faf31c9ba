// Times importing a browser's bookmark file of 10,000 links (100 folders of
// 100) into an empty storage folder, importing it again (every link already
// there), and exporting the folder back to a bookmark file.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Stopwatch.h"
#include "TamarooProcess.h"
#include "app/BookmarkKeeper.h"
#include "app/BookmarkStore.h"
#include "findfile/FindFile.h"
#include "win/WideText.h"

namespace {

const int kFolders = 100, kLinksPerFolder = 100;

std::string BookmarkFile() {
  std::string file = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n";
  for (int f = 0; f < kFolders; ++f) {
    file += "<DT><H3 ADD_DATE=\"1700000000\">Folder " + std::to_string(f) + "</H3>\n<DL><p>\n";
    for (int l = 0; l < kLinksPerFolder; ++l) {
      const std::string n = std::to_string(f * kLinksPerFolder + l);
      file += "<DT><A HREF=\"https://example.com/page/" + n + "?q=1&amp;r=2\" ADD_DATE=\"1700000" + n +
              "\">Example page " + n + " - a title of usual length</A>\n";
    }
    file += "</DL><p>\n";
  }
  return file + "</DL><p>\n";
}

}  // namespace

int main() {
  using tamaroo_test::TempFolder;
  const TempFolder work;
  work.Write("bookmarks.html", BookmarkFile());
  const std::wstring source = win::FromAnsi(work.Path() + "bookmarks.html");
  const app::BookmarkStore store(work.Path() + "favorite\\");
  app::Imported first, second;
  const double importing = bench::Seconds([&] { first = store.Import(source); });
  const double again = bench::Seconds([&] { second = store.Import(source); });
  app::BookmarkKeeper keeper(work.Path());
  keeper.Start();
  app::Said exported;
  const std::wstring target = win::FromAnsi(work.Path() + "exported.html");
  const double exporting = bench::Seconds([&] { exported = keeper.Export(target); });
  std::printf("import of %d links: %.2f s (%zu stored, %zu skipped%s)\n", kFolders * kLinksPerFolder, importing,
              first.stored.size(), first.skipped, first.failure.empty() ? "" : ", FAILED");
  std::printf("the same file again: %.2f s (%zu stored, %zu skipped)\n", again, second.stored.size(), second.skipped);
  std::printf("export: %.2f s (%s)\n", exporting, win::ToUtf8(exported.text).c_str());
  return 0;
}
