#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "HandleCount.h"
#include "Walk.h"
#include "findfile/FindFile.h"

namespace {

// A folder under the temporary folder, named after the test, removed with
// everything in it at the end.
class TempTree {
 public:
  TempTree() {
    char Temp[MAX_PATH];
    GetTempPathA(MAX_PATH, Temp);
    Root = std::string(Temp) + "findfile-" +
           testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
           std::to_string(GetCurrentProcessId());
    Remove();
    EXPECT_TRUE(CreateDirectoryA(Root.c_str(), nullptr)) << Root;
  }
  ~TempTree() { Remove(); }

  std::string Folder(const std::string& Name, DWORD Attributes = 0) const {
    const std::string Path = Root + "\\" + Name;
    EXPECT_TRUE(CreateDirectoryA(Path.c_str(), nullptr)) << Path;
    if (Attributes) SetFileAttributesA(Path.c_str(), Attributes);
    return Path;
  }

  std::string File(const std::string& Name, DWORD Attributes = FILE_ATTRIBUTE_NORMAL,
                   const std::string& Text = "") const {
    const std::string Path = Root + "\\" + Name;
    HANDLE File = CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, Attributes, nullptr);
    EXPECT_NE(File, INVALID_HANDLE_VALUE) << Path;
    DWORD Written;
    WriteFile(File, Text.data(), static_cast<DWORD>(Text.size()), &Written, nullptr);
    CloseHandle(File);
    return Path;
  }

  std::string Root;

 private:
  void Remove() const {
    std::error_code Ignored;
    std::filesystem::remove_all(Root, Ignored);
  }
};

// Noon of a local date, as the file system stores it.
FILETIME LocalNoon(WORD Year, WORD Month, WORD Day) {
  const SYSTEMTIME Time{Year, Month, 0, Day, 12, 0, 0, 0};
  FILETIME Local, Utc;
  SystemTimeToFileTime(&Time, &Local);
  LocalFileTimeToFileTime(&Local, &Utc);
  return Utc;
}

void SetStamps(const std::string& Path, const FILETIME* Access, const FILETIME* Write) {
  HANDLE File = CreateFileA(Path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  EXPECT_TRUE(SetFileTime(File, nullptr, Access, Write)) << Path;
  CloseHandle(File);
}

// The platform's entries for a pattern ("." and ".." included), in its order.
std::vector<WIN32_FIND_DATAA> Entries(const std::string& Pattern) {
  std::vector<WIN32_FIND_DATAA> All;
  WIN32_FIND_DATAA Data;
  HANDLE Search = FindFirstFileA(Pattern.c_str(), &Data);
  if (Search == INVALID_HANDLE_VALUE) return All;
  do All.push_back(Data);
  while (FindNextFileA(Search, &Data));
  FindClose(Search);
  return All;
}

// The handles this process holds; -1 fails every comparison below.
int OpenHandles() { return tamaroo_test::HandleCount(GetCurrentProcessId()); }

TEST(FindFile, ConvertsFileTimesToLocalDates) {
  struct Row {
    SYSTEMTIME Local;
    TDateTime Expected;
  };
  const Row Rows[] = {
      {{2000, 1, 0, 1, 12, 0, 0, 0}, 36526.5},
      {{2024, 2, 0, 29, 18, 0, 0, 0}, 45351.75},
      {{1899, 12, 0, 30, 0, 0, 0, 0}, 0.0},
      {{1899, 12, 0, 29, 6, 0, 0, 0}, -1.25},
      {{9999, 12, 0, 31, 23, 59, 59, 999}, 2958465 + 86399999.0 / 86400000},
  };
  for (const Row& Row : Rows) {
    FILETIME Local, Utc;
    ASSERT_TRUE(SystemTimeToFileTime(&Row.Local, &Local));
    ASSERT_TRUE(LocalFileTimeToFileTime(&Local, &Utc));
    EXPECT_DOUBLE_EQ(FileTimeToDateTime(Utc), Row.Expected) << "year " << Row.Local.wYear;
  }
  EXPECT_EQ(FileTimeToDateTime(FILETIME{0, 0}), 0.0);

  // A new component compares with the local time of its construction.
  FILETIME Before, After;
  GetSystemTimeAsFileTime(&Before);
  const TFindFile Find;
  GetSystemTimeAsFileTime(&After);
  const double Millisecond = 1.0 / 86400000;
  EXPECT_GE(Find.CheckedTime, FileTimeToDateTime(Before) - Millisecond);
  EXPECT_LE(Find.CheckedTime, FileTimeToDateTime(After) + Millisecond);
}

TEST(FindFile, RefusesDatesPastTheYear9999) {
  const SYSTEMTIME Year10000{10000, 1, 0, 2, 12, 0, 0, 0};
  FILETIME Local, Utc;
  ASSERT_TRUE(SystemTimeToFileTime(&Year10000, &Local));
  ASSERT_TRUE(LocalFileTimeToFileTime(&Local, &Utc));
  const FILETIME Unconvertible{0, 0x80000000};
  for (const FILETIME& Time : {Utc, Unconvertible}) {
    try {
      FileTimeToDateTime(Time);
      ADD_FAILURE() << "no error for " << Time.dwHighDateTime;
    } catch (const EConvertError& Error) {
      EXPECT_STREQ(Error.what(), "日付に変換できない値が渡されました");
    }
  }
}

TEST(FindFile, WalksDepthFirstWithFolderPaths) {
  TempTree Tree;
  Tree.Folder("a");
  Tree.Folder("a\\deep");
  Tree.Folder("b");
  for (const char* Name : {"r1.txt", "r2.txt", "a\\x1.txt", "a\\x2.txt", "a\\deep\\x3.txt", "b\\y1.txt"})
    Tree.File(Name);
  const std::string Root = Tree.Root + "\\";

  // The platform's order is kept; each folder is finished where it is met.
  std::vector<Found> Expected;
  const auto DepthFirst = [&](const std::string& Dir, const auto& Self) -> void {
    for (const WIN32_FIND_DATAA& Entry : Entries(Dir + "*.*")) {
      const std::string Name = Entry.cFileName;
      if (Name == "." || Name == "..") continue;
      if (Entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        Self(Dir + Name + "\\", Self);
      else
        Expected.push_back({Dir, Name});
    }
  };
  DepthFirst(Root, DepthFirst);
  ASSERT_EQ(Sorted(Expected), Sorted({{Root, "r1.txt"},
                                                  {Root, "r2.txt"},
                                                  {Root + "a\\", "x1.txt"},
                                                  {Root + "a\\", "x2.txt"},
                                                  {Root + "a\\deep\\", "x3.txt"},
                                                  {Root + "b\\", "y1.txt"}}));

  for (const std::string& FolderName : {Tree.Root, Root}) {
    TFindFile Find;
    Find.FolderName = FolderName;
    EXPECT_EQ(Walk(Find), Expected) << FolderName;
  }
}

TEST(FindFile, FindsHiddenAndSystemFilesButNoDotFolders) {
  TempTree Tree;
  Tree.Folder(".git");
  Tree.File(".git\\config");
  Tree.File(".gitignore");
  Tree.File("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
  Tree.File("system.txt", FILE_ATTRIBUTE_SYSTEM);
  Tree.Folder("secret", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  Tree.File("secret\\inner.txt");
  const std::string Root = Tree.Root + "\\";
  ASSERT_TRUE(GetFileAttributesA((Root + "hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(GetFileAttributesA((Root + "secret").c_str()) & FILE_ATTRIBUTE_SYSTEM);

  TFindFile Find;
  Find.FolderName = Tree.Root;
  EXPECT_EQ(Sorted(Walk(Find)), Sorted({{Root, ".gitignore"},
                                                    {Root, "hidden.txt"},
                                                    {Root + "secret\\", "inner.txt"},
                                                    {Root, "system.txt"}}));
  // '.gitignore' has no name part, so it fits no mask.
  Find.FileMask = {"*"};
  EXPECT_EQ(Sorted(Walk(Find)), Sorted({{Root, "hidden.txt"},
                                                    {Root + "secret\\", "inner.txt"},
                                                    {Root, "system.txt"}}));
}

TEST(FindFile, MasksPickFilesAndFoldersAreNeverReported) {
  TempTree Tree;
  Tree.Folder("shop.url");
  Tree.File("shop.url\\in.url");
  Tree.File("a.url");
  Tree.File("b.URL");
  Tree.File("c.txt");
  const std::string Root = Tree.Root + "\\";

  TFindFile Find;
  Find.FolderName = Tree.Root;
  Find.FileMask = {"*.url"};
  EXPECT_EQ(Sorted(Walk(Find)), Sorted({{Root, "a.url"},
                                                    {Root, "b.URL"},
                                                    {Root + "shop.url\\", "in.url"}}));
  Find.IsFindSub = false;
  EXPECT_EQ(Sorted(Walk(Find)), Sorted({{Root, "a.url"}, {Root, "b.URL"}}));
  Find.FileMask.push_back("*.txt");
  EXPECT_EQ(Walk(Find).size(), 3u);
}

TEST(FindFile, CancelStopsAtTheThirdFileDeepDown) {
  TempTree Tree;
  Tree.Folder("a");
  Tree.Folder("a\\b");
  Tree.Folder("a\\b\\c");
  for (const char* Name : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"})
    Tree.File(std::string("a\\b\\c\\") + Name);

  TFindFile Find;
  Find.FolderName = Tree.Root;
  int Calls = 0;
  Find.OnFind = [&](const std::string&, const std::string& Path, TSearchRec, bool& Cancel) {
    EXPECT_FALSE(Cancel);
    EXPECT_EQ(Path, Tree.Root + "\\a\\b\\c\\");
    Cancel = ++Calls == 3;
  };
  EXPECT_EQ(Find.Execute(), 3);
  EXPECT_EQ(Calls, 3);
  // The next search starts afresh.
  Calls = 10;
  EXPECT_EQ(Find.Execute(), 5);
}

TEST(FindFile, TimeFilterComparesTheChosenStampStrictly) {
  TempTree Tree;
  const std::string Name = Tree.File("a.txt");
  const FILETIME Access = LocalNoon(2011, 6, 1), Write = LocalNoon(2001, 6, 1);
  SetStamps(Name, &Access, &Write);
  const WIN32_FIND_DATAA Entry = Entries(Tree.Root + "\\a.txt").at(0);
  ASSERT_EQ(CompareFileTime(&Entry.ftLastWriteTime, &Write), 0);
  ASSERT_EQ(CompareFileTime(&Entry.ftLastAccessTime, &Access), 0);

  struct Kind {
    TTimeKind Kind;
    FILETIME Stamp;
  };
  const Kind Kinds[] = {{tmCreate, Entry.ftCreationTime},
                        {tmLastWrite, Entry.ftLastWriteTime},
                        {tmLastAccess, Entry.ftLastAccessTime}};
  struct Row {
    TTimeFunc Func;
    double CheckedDaysAfterStamp;
    bool Reported;
  };
  const Row Rows[] = {{tmOlder, 0, false},  {tmNewer, 0, false}, {tmOlder, 1, true},
                      {tmNewer, 1, false},  {tmOlder, -1, false}, {tmNewer, -1, true}};
  TFindFile Find;
  Find.FolderName = Tree.Root;
  for (const Kind& Kind : Kinds)
    for (const Row& Row : Rows) {
      Find.CheckTimeKind = Kind.Kind;
      Find.CheckTimeIs = Row.Func;
      Find.CheckedTime = FileTimeToDateTime(Kind.Stamp) + Row.CheckedDaysAfterStamp;
      EXPECT_EQ(Find.Execute(), Row.Reported ? 1 : 0)
          << "kind " << static_cast<int>(Kind.Kind) << ", func " << static_cast<int>(Row.Func) << ", days "
          << Row.CheckedDaysAfterStamp;
    }
}

TEST(FindFile, SearchRecordDescribesTheEntry) {
  TempTree Tree;
  const std::string Name = Tree.File("five.txt", FILE_ATTRIBUTE_ARCHIVE, "12345");
  const FILETIME Write = LocalNoon(2001, 6, 1);
  SetStamps(Name, nullptr, &Write);

  TFindFile Find;
  Find.FolderName = Tree.Root;
  TSearchRec Record{};
  Find.OnFind = [&](const std::string&, const std::string&, TSearchRec Search, bool&) {
    Record = Search;
    EXPECT_NE(Search.SearchHandle, INVALID_HANDLE_VALUE);
    EXPECT_NE(Search.SearchHandle, nullptr);
  };
  ASSERT_EQ(Find.Execute(), 1);
  EXPECT_EQ(Record.EntryName, "five.txt");
  EXPECT_STREQ(Record.Win32Data.cFileName, "five.txt");
  EXPECT_EQ(Record.SizeLow, 5);
  EXPECT_EQ(Record.Attributes, Record.Win32Data.dwFileAttributes);
  EXPECT_TRUE(Record.Attributes & FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(Record.ExcludedAttributes, 0u);
  // 2001-06-01 12:00:00 in DOS form: date (21 << 9 | 6 << 5 | 1), time (12 << 11).
  EXPECT_EQ(Record.DosDateTime, 0x2AC16000u);
  EXPECT_EQ(CompareFileTime(&Record.Win32Data.ftLastWriteTime, &Write), 0);
}

TEST(FindFile, CountsWithoutAHandlerAndKeepsTheCountOnAnEmptyName) {
  TempTree Tree;
  Tree.Folder("sub");
  Tree.File("a.txt");
  Tree.File("sub\\b.txt");
  TFindFile Find;
  Find.FolderName = Tree.Root;
  EXPECT_EQ(Find.Execute(), 2);

  int Calls = 0;
  Find.OnFind = [&](const std::string&, const std::string&, TSearchRec, bool&) { ++Calls; };
  Find.FolderName = "";
  EXPECT_EQ(Find.Execute(), -1);
  EXPECT_EQ(Find.FoundCount(), 2);
  Find.FolderName = Tree.Root + "\\missing";
  EXPECT_EQ(Find.Execute(), 0);
  EXPECT_EQ(Calls, 0);
}

// In Shift-JIS, 表 is 95 5C: its trail byte looks like '\' but is no delimiter.
TEST(FindFile, FolderNameEndingInATrailByte5C) {
  if (GetACP() != 932) GTEST_SKIP() << "code page " << GetACP();
  TempTree Tree;
  const std::string Folder = Tree.Folder("\x95\x5C");
  Tree.Folder("\x95\x5C\\\x95\x5C");
  Tree.File("\x95\x5C\\a.txt");
  Tree.File("\x95\x5C\\\x95\x5C\\b.txt");
  for (const std::string& FolderName : {Folder, Folder + "\\"}) {
    TFindFile Find;
    Find.FolderName = FolderName;
    EXPECT_EQ(Sorted(Walk(Find)),
              Sorted({{Folder + "\\", "a.txt"}, {Folder + "\\\x95\x5C\\", "b.txt"}}))
        << FolderName;
  }
}

TEST(FindFile, HandlerExceptionLeavesAtOnceAndClosesTheSearches) {
  TempTree Tree;
  Tree.Folder("a");
  Tree.Folder("a\\b");
  for (const char* Name : {"1.txt", "2.txt", "3.txt"}) Tree.File(std::string("a\\b\\") + Name);

  TFindFile Find;
  Find.FolderName = Tree.Root;
  // The first exception of a process makes the system open handles of its own.
  try {
    throw std::runtime_error("first");
  } catch (const std::exception&) {
  }
  const int Before = OpenHandles();
  int Calls = 0, During = 0;
  Find.OnFind = [&](const std::string&, const std::string&, TSearchRec, bool&) {
    During = OpenHandles();
    if (++Calls == 2) throw std::runtime_error("stop");
  };
  EXPECT_THROW(Find.Execute(), std::runtime_error);
  EXPECT_EQ(Calls, 2);
  EXPECT_EQ(Find.FoundCount(), 2);
  EXPECT_GE(During, Before + 3);  // the three folder searches were open
  EXPECT_EQ(OpenHandles(), Before);
  Find.OnFind = nullptr;
  EXPECT_EQ(Find.Execute(), 3);
}

TEST(FindFile, PumpsMessagesBeforeEveryEntry) {
  TempTree Tree;
  Tree.Folder("sub");
  Tree.File("a.txt");
  Tree.File("b.txt");
  Tree.File("sub\\c.txt");
  const std::string Root = Tree.Root + "\\";

  TFindFile Find;
  Find.FolderName = Tree.Root;
  std::vector<std::string> Log;
  Find.ProcessMessages = [&] { Log.push_back(""); };
  Find.OnFind = [&](const std::string& FileName, const std::string&, TSearchRec, bool&) {
    EXPECT_FALSE(Log.empty() || Log.back() != "") << FileName << " without a pump before it";
    Log.push_back(FileName);
  };
  ASSERT_EQ(Find.Execute(), 3);
  EXPECT_EQ(std::count(Log.begin(), Log.end(), ""),
            static_cast<long>(Entries(Root + "*.*").size() + Entries(Root + "sub\\*.*").size()));
}

}  // namespace
