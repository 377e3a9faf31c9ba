#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "HandleCount.h"
#include "TamarooProcess.h"
#include "Walk.h"
#include "findfile/FindFile.h"

namespace {

// A fresh folder under the temporary folder, removed with everything in it
// at the end; `root` has no final '\\'.
class TempTree {
 public:
  std::string Folder(const std::string& name, DWORD attributes = 0) const {
    const std::string path = root + "\\" + name;
    EXPECT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
    return path;
  }

  std::string File(const std::string& name, DWORD attributes = 0, const std::string& text = "") const {
    folder_.Write(name, text);
    if (attributes) SetFileAttributesA((root + "\\" + name).c_str(), attributes);
    return root + "\\" + name;
  }

 private:
  tamaroo_test::TempFolder folder_;

 public:
  const std::string root = folder_.Path().substr(0, folder_.Path().size() - 1);
};

// Noon of a local date, as the file system stores it.
FILETIME LocalNoon(WORD year, WORD month, WORD day) {
  const SYSTEMTIME time{year, month, 0, day, 12, 0, 0, 0};
  FILETIME local, utc;
  SystemTimeToFileTime(&time, &local);
  LocalFileTimeToFileTime(&local, &utc);
  return utc;
}

void SetStamps(const std::string& path, const FILETIME* access, const FILETIME* write) {
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_TRUE(SetFileTime(file, nullptr, access, write)) << path;
  CloseHandle(file);
}

// The platform's entries for a pattern ("." and ".." included), in its order.
std::vector<WIN32_FIND_DATAA> Entries(const std::string& pattern) {
  std::vector<WIN32_FIND_DATAA> all;
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return all;
  do all.push_back(data);
  while (FindNextFileA(search, &data));
  FindClose(search);
  return all;
}

// The handles this process holds; -1 fails every comparison below.
int OpenHandles() { return tamaroo_test::HandleCount(GetCurrentProcessId()); }

TEST(FindFile, ConvertsFileTimesToLocalDates) {
  struct Row {
    SYSTEMTIME local;
    TDateTime expected;
  };
  const Row rows[] = {
      {{2000, 1, 0, 1, 12, 0, 0, 0}, 36526.5},
      {{2024, 2, 0, 29, 18, 0, 0, 0}, 45351.75},
      {{1899, 12, 0, 30, 0, 0, 0, 0}, 0.0},
      {{1899, 12, 0, 29, 6, 0, 0, 0}, -1.25},
      {{9999, 12, 0, 31, 23, 59, 59, 999}, 2958465 + 86399999.0 / 86400000},
  };
  for (const Row& row : rows) {
    FILETIME local, utc;
    ASSERT_TRUE(SystemTimeToFileTime(&row.local, &local));
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
    EXPECT_DOUBLE_EQ(FileTimeToDateTime(utc), row.expected) << "year " << row.local.wYear;
  }
  EXPECT_EQ(FileTimeToDateTime(FILETIME{0, 0}), 0.0);

  // A new component compares with the local time of its construction.
  FILETIME before, after;
  GetSystemTimeAsFileTime(&before);
  const TFindFile find;
  GetSystemTimeAsFileTime(&after);
  const double millisecond = 1.0 / 86400000;
  EXPECT_GE(find.CheckedTime, FileTimeToDateTime(before) - millisecond);
  EXPECT_LE(find.CheckedTime, FileTimeToDateTime(after) + millisecond);
}

TEST(FindFile, RefusesDatesPastTheYear9999) {
  const SYSTEMTIME year10000{10000, 1, 0, 2, 12, 0, 0, 0};
  FILETIME local, utc;
  ASSERT_TRUE(SystemTimeToFileTime(&year10000, &local));
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
  const FILETIME unconvertible{0, 0x80000000};
  for (const FILETIME& time : {utc, unconvertible}) {
    try {
      FileTimeToDateTime(time);
      ADD_FAILURE() << "no error for " << time.dwHighDateTime;
    } catch (const EConvertError& error) {
      EXPECT_STREQ(error.what(), "日付に変換できない値が渡されました");
    }
  }
}

TEST(FindFile, WalksDepthFirstWithFolderPaths) {
  TempTree tree;
  tree.Folder("a");
  tree.Folder("a\\deep");
  tree.Folder("b");
  for (const char* name : {"r1.txt", "r2.txt", "a\\x1.txt", "a\\x2.txt", "a\\deep\\x3.txt", "b\\y1.txt"})
    tree.File(name);
  const std::string root = tree.root + "\\";

  // The platform's order is kept; each folder is finished where it is met.
  std::vector<Found> expected;
  const auto depthFirst = [&](const std::string& dir, const auto& self) -> void {
    for (const WIN32_FIND_DATAA& entry : Entries(dir + "*.*")) {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        self(dir + name + "\\", self);
      else
        expected.push_back({dir, name});
    }
  };
  depthFirst(root, depthFirst);
  ASSERT_EQ(Sorted(expected), Sorted({{root, "r1.txt"},
                                      {root, "r2.txt"},
                                      {root + "a\\", "x1.txt"},
                                      {root + "a\\", "x2.txt"},
                                      {root + "a\\deep\\", "x3.txt"},
                                      {root + "b\\", "y1.txt"}}));

  for (const std::string& folderName : {tree.root, root}) {
    TFindFile find;
    find.FolderName = folderName;
    EXPECT_EQ(Walk(find), expected) << folderName;
  }
}

TEST(FindFile, FindsHiddenAndSystemFilesButNoDotFolders) {
  TempTree tree;
  tree.Folder(".git");
  tree.File(".git\\config");
  tree.File(".gitignore");
  tree.File("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
  tree.File("system.txt", FILE_ATTRIBUTE_SYSTEM);
  tree.Folder("secret", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  tree.File("secret\\inner.txt");
  const std::string root = tree.root + "\\";
  ASSERT_TRUE(GetFileAttributesA((root + "hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(GetFileAttributesA((root + "secret").c_str()) & FILE_ATTRIBUTE_SYSTEM);

  TFindFile find;
  find.FolderName = tree.root;
  EXPECT_EQ(
      Sorted(Walk(find)),
      Sorted({{root, ".gitignore"}, {root, "hidden.txt"}, {root + "secret\\", "inner.txt"}, {root, "system.txt"}}));
  // '.gitignore' has no name part, so it fits no mask.
  find.FileMask = {"*"};
  EXPECT_EQ(Sorted(Walk(find)), Sorted({{root, "hidden.txt"}, {root + "secret\\", "inner.txt"}, {root, "system.txt"}}));
}

TEST(FindFile, MasksPickFilesAndFoldersAreNeverReported) {
  TempTree tree;
  tree.Folder("shop.url");
  tree.File("shop.url\\in.url");
  tree.File("a.url");
  tree.File("b.URL");
  tree.File("c.txt");
  const std::string root = tree.root + "\\";

  TFindFile find;
  find.FolderName = tree.root;
  find.FileMask = {"*.url"};
  EXPECT_EQ(Sorted(Walk(find)), Sorted({{root, "a.url"}, {root, "b.URL"}, {root + "shop.url\\", "in.url"}}));
  find.IsFindSub = false;
  EXPECT_EQ(Sorted(Walk(find)), Sorted({{root, "a.url"}, {root, "b.URL"}}));
  find.FileMask.push_back("*.txt");
  EXPECT_EQ(Walk(find).size(), 3u);
}

TEST(FindFile, CancelStopsAtTheThirdFileDeepDown) {
  TempTree tree;
  tree.Folder("a");
  tree.Folder("a\\b");
  tree.Folder("a\\b\\c");
  tree.Folder("a\\b\\e");  // empty, after c
  for (const char* name : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"}) tree.File(std::string("a\\b\\c\\") + name);
  // A file of an outer folder, met after the sub-folder: the stop holds there too.
  tree.File("a\\z.txt");
  const std::vector<WIN32_FIND_DATAA> outer = Entries(tree.root + "\\a\\*.*");
  ASSERT_EQ(std::string(outer.back().cFileName), "z.txt");

  TFindFile find;
  find.FolderName = tree.root;
  int calls = 0;
  std::wstring events;
  find.OnEnterFolder = [&](const std::wstring& name) { events += name + L'('; };
  find.OnLeaveFolder = [&] { events += L')'; };
  find.OnFind = [&](const std::string&, const std::string& path, TSearchRec, bool& cancel) {
    events += L'f';
    EXPECT_FALSE(cancel);
    EXPECT_EQ(path, tree.root + "\\a\\b\\c\\");
    cancel = ++calls == 3;
  };
  EXPECT_EQ(find.Execute(), 3);
  EXPECT_EQ(calls, 3);
  // The next search starts afresh.
  find.OnFind = nullptr;
  EXPECT_EQ(find.Execute(), 6);
  EXPECT_EQ(events, L"a(b(c(fff)))a(b(c()e()))");
}

TEST(FindFile, TimeFilterComparesTheChosenStampStrictly) {
  TempTree tree;
  const std::string name = tree.File("a.txt");
  const FILETIME access = LocalNoon(2011, 6, 1), write = LocalNoon(2001, 6, 1);
  SetStamps(name, &access, &write);
  const WIN32_FIND_DATAA entry = Entries(tree.root + "\\a.txt").at(0);
  ASSERT_EQ(CompareFileTime(&entry.ftLastWriteTime, &write), 0);
  ASSERT_EQ(CompareFileTime(&entry.ftLastAccessTime, &access), 0);

  struct StampKind {
    TTimeKind kind;
    FILETIME stamp;
  };
  const StampKind kinds[] = {
      {tmCreate, entry.ftCreationTime}, {tmLastWrite, entry.ftLastWriteTime}, {tmLastAccess, entry.ftLastAccessTime}};
  struct Row {
    TTimeFunc func;
    double checkedDaysAfterStamp;
    bool reported;
  };
  const Row rows[] = {{tmOlder, 0, false}, {tmNewer, 0, false},  {tmOlder, 1, true},
                      {tmNewer, 1, false}, {tmOlder, -1, false}, {tmNewer, -1, true}};
  TFindFile find;
  find.FolderName = tree.root;
  for (const StampKind& kind : kinds)
    for (const Row& row : rows) {
      find.CheckTimeKind = kind.kind;
      find.CheckTimeIs = row.func;
      find.CheckedTime = FileTimeToDateTime(kind.stamp) + row.checkedDaysAfterStamp;
      EXPECT_EQ(find.Execute(), row.reported ? 1 : 0)
          << "kind " << static_cast<int>(kind.kind) << ", func " << static_cast<int>(row.func) << ", days "
          << row.checkedDaysAfterStamp;
    }
}

TEST(FindFile, SearchRecordDescribesTheEntry) {
  TempTree tree;
  const std::string name = tree.File("five.txt", FILE_ATTRIBUTE_ARCHIVE, "12345");
  const FILETIME write = LocalNoon(2001, 6, 1);
  SetStamps(name, nullptr, &write);

  TFindFile find;
  find.FolderName = tree.root;
  TSearchRec record{};
  find.OnFind = [&](const std::string&, const std::string&, TSearchRec search, bool&) {
    record = search;
    EXPECT_NE(search.SearchHandle, INVALID_HANDLE_VALUE);
    EXPECT_NE(search.SearchHandle, nullptr);
  };
  ASSERT_EQ(find.Execute(), 1);
  EXPECT_EQ(record.EntryName, "five.txt");
  EXPECT_STREQ(record.Win32Data.cFileName, "five.txt");
  EXPECT_EQ(record.SizeLow, 5);
  EXPECT_EQ(record.Attributes, record.Win32Data.dwFileAttributes);
  EXPECT_TRUE(record.Attributes & FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(record.ExcludedAttributes, 0u);
  // 2001-06-01 12:00:00 in DOS form: date (21 << 9 | 6 << 5 | 1), time (12 << 11).
  EXPECT_EQ(record.DosDateTime, 0x2AC16000u);
  EXPECT_EQ(CompareFileTime(&record.Win32Data.ftLastWriteTime, &write), 0);
}

TEST(FindFile, GivesShortNamesUnlessToldNotTo) {
  TempTree tree;
  const std::string name = tree.File("a rather long name.txt");
  WIN32_FIND_DATAA system;
  FindClose(FindFirstFileA(name.c_str(), &system));
  TFindFile find;
  find.FolderName = tree.root;
  std::string shortName = "?";
  find.OnFind = [&](const std::string&, const std::string&, TSearchRec search, bool&) {
    shortName = search.Win32Data.cAlternateFileName;
  };
  find.Execute();
  EXPECT_EQ(shortName, system.cAlternateFileName);
  find.WithShortNames = false;
  find.Execute();
  EXPECT_EQ(shortName, "");
}

TEST(FindFile, CountsWithoutAHandlerAndKeepsTheCountOnAnEmptyName) {
  TempTree tree;
  tree.Folder("sub");
  tree.File("a.txt");
  tree.File("sub\\b.txt");
  TFindFile find;
  find.FolderName = tree.root;
  EXPECT_EQ(find.Execute(), 2);

  int calls = 0;
  find.OnFind = [&](const std::string&, const std::string&, TSearchRec, bool&) { ++calls; };
  find.FolderName = "";
  EXPECT_EQ(find.Execute(), -1);
  EXPECT_EQ(find.FoundCount(), 2);
  find.FolderName = tree.root + "\\missing";
  EXPECT_EQ(find.Execute(), 0);
  EXPECT_EQ(calls, 0);
}

// In Shift-JIS, 表 is 95 5C: its trail byte looks like '\' but is no delimiter.
TEST(FindFile, FolderNameEndingInATrailByte5C) {
  if (GetACP() != 932) GTEST_SKIP() << "code page " << GetACP();
  TempTree tree;
  const std::string folder = tree.Folder("\x95\x5C");
  tree.Folder("\x95\x5C\\\x95\x5C");
  tree.File("\x95\x5C\\a.txt");
  tree.File("\x95\x5C\\\x95\x5C\\b.txt");
  for (const std::string& folderName : {folder, folder + "\\"}) {
    TFindFile find;
    find.FolderName = folderName;
    EXPECT_EQ(Sorted(Walk(find)), Sorted({{folder + "\\", "a.txt"}, {folder + "\\\x95\x5C\\", "b.txt"}})) << folderName;
  }
}

TEST(FindFile, HandlerExceptionLeavesAtOnceAndClosesTheSearches) {
  TempTree tree;
  tree.Folder("a");
  tree.Folder("a\\b");
  for (const char* name : {"1.txt", "2.txt", "3.txt"}) tree.File(std::string("a\\b\\") + name);

  TFindFile find;
  find.FolderName = tree.root;
  // The first exception of a process makes the system open handles of its own.
  try {
    throw std::runtime_error("first");
  } catch (const std::exception&) {
  }
  const int before = OpenHandles();
  int calls = 0, during = 0;
  find.OnFind = [&](const std::string&, const std::string&, TSearchRec, bool&) {
    during = OpenHandles();
    if (++calls == 2) throw std::runtime_error("stop");
  };
  EXPECT_THROW(find.Execute(), std::runtime_error);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(find.FoundCount(), 2);
  EXPECT_GE(during, before + 3);  // the three folder searches were open
  EXPECT_EQ(OpenHandles(), before);
  find.OnFind = nullptr;
  EXPECT_EQ(find.Execute(), 3);
}

TEST(FindFile, PumpsMessagesBeforeEveryEntry) {
  TempTree tree;
  tree.Folder("sub");
  tree.File("a.txt");
  tree.File("b.txt");
  tree.File("sub\\c.txt");
  const std::string root = tree.root + "\\";

  TFindFile find;
  find.FolderName = tree.root;
  std::vector<std::string> log;
  find.ProcessMessages = [&] { log.push_back(""); };
  find.OnFind = [&](const std::string& fileName, const std::string&, TSearchRec, bool&) {
    EXPECT_FALSE(log.empty() || log.back() != "") << fileName << " without a pump before it";
    log.push_back(fileName);
  };
  ASSERT_EQ(find.Execute(), 3);
  EXPECT_EQ(std::count(log.begin(), log.end(), ""),
            static_cast<long>(Entries(root + "*.*").size() + Entries(root + "sub\\*.*").size()));
}

TEST(FindFile, DispatchesWaitingMessagesByDefaultAndLeavesTheQuitMessage) {
  TempTree tree;
  const int files = 20;
  for (int i = 0; i < files; ++i) tree.File(std::to_string(i) + ".txt");
  static int dispatched = 0;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_APP) ++dispatched;
    return DefWindowProcW(window, message, wParam, lParam);
  };
  windowClass.lpszClassName = L"FindFileTestWindow";
  RegisterClassW(&windowClass);
  const HWND window =
      CreateWindowW(windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  PostMessageW(window, WM_APP, 0, 0);
  PostQuitMessage(7);

  TFindFile find;
  find.FolderName = tree.root;
  int found = 0;
  find.OnFind = [&](const std::string&, const std::string&, TSearchRec, bool&) {
    if (found++ == 0) {
      EXPECT_EQ(dispatched, 1);
      PostMessageW(window, WM_APP, 0, 0);
    }
    Sleep(2);  // a walk long enough for the queue to be looked at again
  };
  EXPECT_EQ(find.Execute(), files);
  EXPECT_EQ(dispatched, 2) << "a message posted during the walk waited for its end";
  MSG msg{};
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  DestroyWindow(window);
}

}  // namespace
