// The storage folder's store, on real folders.
#include "app/BookmarkStore.h"

#include "app/BookmarkKeeper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TamarooProcess.h"
#include "findfile/FindFile.h"
#include "image/Favicon.h"
#include "text/BookmarkFile.h"
#include "win/Failure.h"
#include "win/WideText.h"

namespace tamaroo_test {
namespace {

// Any absolute path, however long, for the wide file calls.
std::wstring Extended(const std::string& path) { return L"\\\\?\\" + win::FromAnsi(path); }

std::string ReadAll(const std::string& path) {
  const HANDLE file =
      CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(1 << 20, '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes.substr(0, read);
}

TEST(StoreLink, IsWrittenUnderAFreeNameMadeFromItsTitleAndOnlyOnce) {
  const bool japanese = GetACP() == 932;
  const std::string shortcut = "[InternetShortcut]\r\nURL=http://a/\r\n";
  const struct {
    std::vector<std::pair<std::string, std::string>> stored;
    std::wstring title;
    std::string url;
    std::string storedAs;
    bool isNew = true;
  } cases[] = {
      {{{"Page.url", "taken"}, {"Page (2).url", "taken"}}, L"Page", "http://a/", "Page (3).url"},
      {{{"Page.url", "taken"}, {"Page (2).url", shortcut}}, L"Page", "http://a/", "Page (2).url", false},
      {{}, L"\u65E5\u672C", "http://jp.example/", japanese ? "\x93\xFA\x96\x7B.url" : "jp.example.url"},
      {{},
       L"a\u00A5b",
       "http://a/",
       japanese ? "a_b.url"
                : "a\xA5"
                  "b.url"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.storedAs);
    const TempFolder folder;
    for (const auto& [name, bytes] : c.stored) folder.Write(name, bytes);
    const app::Bookmark stored = app::BookmarkStore(folder.Path()).WriteLink({c.url, c.title});
    EXPECT_EQ(stored.path, win::FromAnsi(folder.Path() + c.storedAs));
    EXPECT_EQ(stored.isNew, c.isNew);
    EXPECT_EQ(ReadAll(folder.Path() + c.storedAs), "[InternetShortcut]\r\nURL=" + c.url + "\r\n");
    for (const auto& [name, bytes] : c.stored) EXPECT_EQ(ReadAll(folder.Path() + name), bytes);
  }
}

TEST(StoreLink, IsWrittenWherePathsPassMaxPath) {
  const TempFolder root;
  std::string folder = root.Path();
  std::vector<std::string> levels;
  for (int i = 0; i < 3; ++i) {
    folder += std::string(100, static_cast<char>('a' + i)) + "\\";
    CreateDirectoryW(Extended(folder).c_str(), nullptr);
    levels.push_back(folder);
  }
  EXPECT_EQ(app::BookmarkStore(folder).WriteLink({"http://deep.example/", L"Deep"}).path,
            win::FromAnsi(folder + "Deep.url"));
  EXPECT_EQ(ReadAll(folder + "Deep.url"), "[InternetShortcut]\r\nURL=http://deep.example/\r\n");
  DeleteFileW(Extended(folder + "Deep.url").c_str());
  for (auto level = levels.rbegin(); level != levels.rend(); ++level) RemoveDirectoryW(Extended(*level).c_str());
}

TEST(StoreLink, AFolderRemovedWhileRunningIsMadeAgainAndOneBlockedStoresNothing) {
  const TempFolder root;
  app::BookmarkStore(root.Path() + "removed\\").WriteLink({"http://a/", L"A"});
  EXPECT_EQ(ReadAll(root.Path() + "removed\\A.url"), "[InternetShortcut]\r\nURL=http://a/\r\n");
  root.Write("blocked", std::string("a file"));
  try {
    app::BookmarkStore(root.Path() + "blocked\\").WriteLink({"http://a/", L"A"});
    ADD_FAILURE() << "stored into a file";
  } catch (const win::Failure& failure) {
    EXPECT_EQ(failure.Text(), L"A.url を格納できません");
  }
}

// Every file and folder under `folder`, sorted, with what each file holds
// after "=" (its URL when it is a shortcut).
std::vector<std::string> Tree(const std::string& folder, const std::string& prefix = "") {
  std::vector<std::string> tree;
  for (const std::string& name : FileNames(folder + prefix)) {
    const std::string path = prefix + name;
    if (GetFileAttributesA((folder + path).c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
      tree.push_back(path + "\\");
      for (const std::string& inner : Tree(folder, path + "\\")) tree.push_back(inner);
    } else {
      const std::string bytes = ReadAll(folder + path);
      const std::string::size_type url = bytes.find("URL=");
      tree.push_back(path + "=" + (url == bytes.npos ? bytes : bytes.substr(url + 4, bytes.find('\r', url) - url - 4)));
    }
  }
  return tree;
}

std::string Links(const std::vector<std::pair<std::string, std::string>>& links) {
  std::string file = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n";
  for (const auto& [title, url] : links) {
    file += title == "<folder"    ? "<DT><H3>" + url + "</H3>\n<DL><p>\n"
            : title == "</folder" ? "</DL><p>\n"
                                  : "<DT><A HREF=\"" + url + "\" ADD_DATE=\"1600000000\">" + title + "</A>\n";
  }
  return file + "</DL><p>\n";
}

TEST(ImportBookmarks, StoresTheFileTreeUnderFreeNamesAndSkipsWhatItsFolderHolds) {
  const struct {
    std::vector<std::pair<std::string, std::string>> stored;
    std::string file;
    std::vector<std::string> tree;
    size_t stored_ = 0, skipped = 0;
  } cases[] = {
      {{},
       Links({{"<folder", "Bar"},
              {"A", "http://a/"},
              {"<folder", "Empty"},
              {"</folder", ""},
              {"</folder", ""},
              {"J", "javascript:x"},
              {"", "https://host.example/"}}),
       {"Bar\\", "Bar\\A.url=http://a/", "Bar\\Empty\\", "host.example.url=https://host.example/"},
       2,
       1},
      {{{"Page.url", "[InternetShortcut]\r\nURL=http://other/\r\n"}, {"page (2).URL", "taken"}, {"Bar", "a file"}},
       Links({{"Page", "http://page/"}, {"<folder", "Bar"}, {"Page", "http://page/"}, {"</folder", ""}}),
       {"Bar=a file", "Bar (2)\\", "Bar (2)\\Page.url=http://page/", "Page (3).url=http://page/",
        "Page.url=http://other/", "page (2).URL=taken"},
       2},
      {{{"Old.url", "[InternetShortcut]\r\nURL=http://a/\r\n"}},
       Links({{"A", "http://a/"},
              {"B", "http://b/"},
              {"B again", "http://b/"},
              {"<folder", "F"},
              {"A", "http://a/"},
              {"</folder", ""}}),
       {"B again.url=http://b/", "B.url=http://b/", "F\\", "F\\A.url=http://a/", "Old.url=http://a/"},
       3,
       1},
      // A name the import itself took since it looked at the folder.
      {{}, Links({{"<folder", "X.url"}, {"</folder", ""}, {"X", "http://x/"}}), {"X (2).url=http://x/", "X.url\\"}, 1},
      // Titles of any length: the name rule cuts the names, numbered after the cut.
      {{},
       Links({{std::string(150, 'a'), "http://a/"},
              {std::string(100, 'a') + "b", "http://b/"},
              {"<folder", std::string(150, 'c')},
              {"C", "http://c/"},
              {"</folder", ""}}),
       {std::string(100, 'a') + " (2).url=http://b/", std::string(100, 'a') + ".url=http://a/",
        std::string(100, 'c') + "\\", std::string(100, 'c') + "\\C.url=http://c/"},
       3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    const TempFolder work;
    CreateDirectoryA((work.Path() + "favorite").c_str(), nullptr);
    for (const auto& [name, bytes] : c.stored) work.Write("favorite\\" + name, bytes);
    work.Write("bookmarks.html", c.file);
    const app::BookmarkStore store(work.Path() + "favorite\\");
    const app::Imported imported = store.Import(win::FromAnsi(work.Path() + "bookmarks.html"));
    EXPECT_EQ(Tree(work.Path() + "favorite\\"), c.tree);
    EXPECT_EQ(imported.stored.size(), c.stored_);
    EXPECT_EQ(imported.skipped, c.skipped);
    EXPECT_EQ(imported.failure, L"");
    for (const app::Bookmark& bookmark : imported.stored) EXPECT_TRUE(bookmark.isNew);
    // The same file again adds nothing.
    const app::Imported again = store.Import(win::FromAnsi(work.Path() + "bookmarks.html"));
    EXPECT_EQ(again.stored.size(), 0u);
    EXPECT_EQ(again.skipped, c.stored_ + c.skipped);
    EXPECT_EQ(Tree(work.Path() + "favorite\\"), c.tree);
  }
}

TEST(ImportBookmarks, RefusesAFileThatIsNoBookmarkFile) {
  const TempFolder work;
  work.Write("page.html", "<html><body><p>A page</p></body></html>");
  try {
    app::BookmarkStore(work.Path() + "favorite\\").Import(win::FromAnsi(work.Path() + "page.html"));
    ADD_FAILURE() << "read a page";
  } catch (const win::Failure& failure) {
    EXPECT_EQ(failure.Text(),
              L"page.html \u306F\u30D6\u30C3\u30AF\u30DE\u30FC\u30AF\u30D5\u30A1\u30A4\u30EB"
              L"\u3067\u306F\u3042\u308A\u307E\u305B\u3093");
  }
  EXPECT_EQ(FileNames(work.Path()), std::vector<std::string>{"page.html"});
}

// Exported, then imported into an empty folder, the tree comes back with its
// names, URLs, order and dates, of folders too; a shortcut without a URL is
// left out. A target that cannot be written is refused and nothing is left.
TEST(ExportBookmarks, ImportedIntoAnEmptyFolderGivesTheSameTree) {
  const TempFolder work;
  work.Write(
      "bookmarks.html",
      "<DL><DT><A HREF=\"http://a/\" ADD_DATE=\"1600000000\">A &amp; B</A><DT><H3 ADD_DATE=\"1400000000\">F</H3><DL>"
      "<DT><A HREF=\"http://b/?x=1&amp;y=2\" ADD_DATE=\"1500000000\">B</A><DT><H3>G</H3><DL>"
      "<DT><A HREF=\"https://c/\">C</A></DL></DL><DT><A HREF=\"http://d/\">D</A></DL>");
  const TempFolder firstExe, secondExe;
  const app::BookmarkStore first(firstExe.Path() + "favorite\\");
  std::vector<size_t> told;
  const app::Progress count = [&](size_t done, size_t total) {
    told.push_back(done * 10 + total);
    return true;
  };
  ASSERT_EQ(first.Import(win::FromAnsi(work.Path() + "bookmarks.html"), count).stored.size(), 4u);
  EXPECT_EQ(told, (std::vector<size_t>{16, 26, 36, 46, 56, 66}));
  // Stopped at B, inside F: A and B are kept.
  const TempFolder elsewhere;
  const app::BookmarkStore stopping(elsewhere.Path());
  const auto atB = [](size_t done, size_t) { return done < 2; };
  const app::Imported stopped = stopping.Import(win::FromAnsi(work.Path() + "bookmarks.html"), atB);
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(stopped.stored.size(), 2u);
  firstExe.Write("favorite\\NoUrl.url", "[InternetShortcut]\r\n");
  app::BookmarkKeeper exporting(firstExe.Path());
  exporting.Start();
  EXPECT_EQ(exporting.Export(win::FromAnsi(work.Path() + "exported.html")).text,
            L"4 件のブックマークを書き出しました。(1 件は URL がないため書き出しませんでした)");

  const app::BookmarkStore second(secondExe.Path() + "favorite\\");
  EXPECT_EQ(second.Import(win::FromAnsi(work.Path() + "exported.html")).stored.size(), 4u);
  work.Write("again.html", "replaced");
  app::BookmarkKeeper again(secondExe.Path());
  again.Start();
  again.Export(win::FromAnsi(work.Path() + "again.html"));
  const text::BookmarkFile before = text::ParseBookmarkFile(ReadAll(work.Path() + "exported.html"));
  const text::BookmarkFile after = text::ParseBookmarkFile(ReadAll(work.Path() + "again.html"));
  EXPECT_EQ(after.entries, before.entries);
  EXPECT_EQ(before.entries.size(), 3u);
  const auto a = std::ranges::find(before.entries, L"A & B", &text::BookmarkEntry::title);
  ASSERT_NE(a, before.entries.end());
  EXPECT_EQ(a->added, 1600000000);
  EXPECT_EQ(a->url, "http://a/");
  const auto f = std::ranges::find(before.entries, L"F", &text::BookmarkEntry::title);
  ASSERT_NE(f, before.entries.end());
  EXPECT_EQ(f->added, 1400000000);
  const std::string blocked = work.Path() + "bookmarks.html\\exported.html";
  try {
    exporting.Export(win::FromAnsi(blocked));
    ADD_FAILURE() << "wrote below a file";
  } catch (const win::Failure& failure) {
    EXPECT_EQ(failure.Text(), win::FromAnsi(blocked) + L" \u306B\u66F8\u304D\u8FBC\u3081\u307E\u305B\u3093");
  }
  EXPECT_EQ(FileNames(work.Path()), (std::vector<std::string>{"again.html", "bookmarks.html", "exported.html"}));
}

// Site pictures come in with an import, each kept once, as an icon file in
// the storage folder that the shortcut names; one that cannot be read whole
// is counted and leaves its link without one. The export, from the folder
// moved elsewhere, writes them back.
TEST(ImportBookmarks, KeepsEachSitePictureOnceAndWritesItBack) {
  const std::vector<std::uint8_t> png = image::PngOfPixels(std::vector<std::uint8_t>(16 * 16 * 4, 0x80), 16, 16);
  const std::string pngUrl = image::PngDataUrl(png), pngData = pngUrl.substr(pngUrl.find(',') + 1);
  const struct {
    const char* title;
    std::string icon;
    bool kept;
  } links[] = {
      {"png", pngUrl, true},
      {"same png", pngUrl, true},
      {"gif", "data:image/gif;base64,R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==", true},
      {"lying", "data:image/gif;base64," + pngData, false},
      {"cut short", "data:image/png;base64," + pngData.substr(0, pngData.size() - 40), false},
      {"svg", "data:image/svg+xml;base64,PHN2Zy8+", false},
      {"none", "", false},
  };
  std::string file = "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL>";
  for (const auto& link : links)
    file += std::string("<DT><A HREF=\"http://") + link.title[0] + link.title[1] + "/\" ICON=\"" + link.icon + "\">" +
            link.title + "</A>";
  const TempFolder work, exe, moved;
  work.Write("bookmarks.html", file + "</DL>");
  const app::BookmarkStore store(exe.Path() + "favorite\\");
  const app::Imported imported = store.Import(win::FromAnsi(work.Path() + "bookmarks.html"));
  EXPECT_EQ(imported.picturesSkipped, 3u);
  ASSERT_EQ(imported.stored.size(), std::size(links));
  for (size_t i = 0; i < std::size(links); ++i) {
    SCOPED_TRACE(links[i].title);
    EXPECT_EQ(!imported.stored[i].picture.empty(), links[i].kept);
    EXPECT_EQ(store.Read(imported.stored[i].path).picture, imported.stored[i].picture);
  }
  EXPECT_EQ(imported.stored[0].picture, imported.stored[1].picture);
  EXPECT_EQ(FileNames(exe.Path() + "favorite\\.favicons\\").size(), 2u);

  ASSERT_TRUE(MoveFileA((exe.Path() + "favorite").c_str(), (moved.Path() + "favorite").c_str()));
  app::BookmarkKeeper exporting(moved.Path());
  exporting.Start();
  exporting.Export(win::FromAnsi(work.Path() + "exported.html"));
  std::vector<std::string> icons;
  for (const text::BookmarkEntry& entry : text::ParseBookmarkFile(ReadAll(work.Path() + "exported.html")).entries)
    icons.push_back(entry.icon.substr(0, entry.title == L"gif" ? 22 : std::string::npos));
  std::sort(icons.begin(), icons.end());
  EXPECT_EQ(icons, (std::vector<std::string>{"", "", "", "", "data:image/png;base64,", pngUrl, pngUrl}));
}

// A disk that fills part-way stops the import: what was stored is whole and
// counted, and nothing cut short or temporary is left.
TEST(ImportBookmarks, AFullDiskStopsPartWayLeavingWholeFilesOnly) {
  const std::string disk = TAMAROO_STORE_DISK;
  const std::string folder = disk + "\\favorite\\";
  if (!CreateDirectoryA(folder.c_str(), nullptr)) GTEST_SKIP() << "no small disk at " << disk;
  std::vector<std::pair<std::string, std::string>> links;
  for (int i = 0; i < 3000; ++i) {
    const std::string number = std::to_string(i);
    links.push_back({std::string("L").append(number), std::string("http://l/").append(number)});
  }
  const std::string file = Links(links);
  const std::string source = disk + "\\bookmarks.html";
  const HANDLE out = CreateFileA(source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
  CloseHandle(out);
  const app::Imported imported = app::BookmarkStore(folder).Import(win::FromAnsi(source));
  EXPECT_EQ(imported.failure,
            L"L" + std::to_wstring(imported.stored.size()) + L".url \u3092\u683C\u7D0D\u3067\u304D\u307E\u305B\u3093");
  const std::vector<std::string> tree = Tree(folder);
  EXPECT_EQ(tree.size(), imported.stored.size());
  EXPECT_GT(tree.size(), 0u);
  for (size_t i = 0; i < tree.size() && i < imported.stored.size(); ++i) {
    const std::string number = std::to_string(i);
    EXPECT_EQ(imported.stored[i].path, win::FromAnsi(folder + "L" + number + ".url"));
    EXPECT_EQ(ReadAll(folder + "L" + number + ".url"), "[InternetShortcut]\r\nURL=http://l/" + number + "\r\n");
  }
  for (const std::string& name : FileNames(folder)) DeleteFileA((folder + name).c_str());
  RemoveDirectoryA(folder.c_str());
  DeleteFileA(source.c_str());
}

TEST(BookmarkStore, LeavesNoHalfWrittenFileAndClearsWhatAKilledProcessLeft) {
  const TempFolder root;
  const app::BookmarkStore store(root.Path());
  root.Write("~tamaroo-99-1.tmp", std::string("cut sho"));
  root.Write("keep.tmp", std::string("not ours"));
  store.Prepare();
  EXPECT_FALSE(root.Exists("~tamaroo-99-1.tmp"));
  EXPECT_TRUE(root.Exists("keep.tmp"));
}

}  // namespace
}  // namespace tamaroo_test
