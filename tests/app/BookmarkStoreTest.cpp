// The storage folder's store, on real folders.
#include "app/BookmarkStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TamarooProcess.h"
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
  std::string bytes(4096, '\0');
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
    EXPECT_EQ(stored.caption, win::FromAnsi(c.storedAs.substr(0, c.storedAs.size() - 4)));
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
