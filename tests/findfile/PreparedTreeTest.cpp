// Walks over the tree that make-tree.sh prepares from the Unix side.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "Walk.h"
#include "findfile/FindFile.h"

namespace {

std::string Setting(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The prepared folder, seen through Wine's Z: drive, ending with '\'.
std::string Prepared(const std::string& folder) {
  std::string path = "Z:" + Setting("FINDFILE_TREE") + "/" + folder + "/";
  for (char& byte : path)
    if (byte == '/') byte = '\\';
  return path;
}

std::string Ansi(const std::wstring& wide) {
  std::string ansi(wide.size() * 3, '\0');
  ansi.resize(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(),
                                  static_cast<int>(ansi.size()), nullptr, nullptr));
  return ansi;
}

class PreparedTree : public testing::Test {
 protected:
  void SetUp() override {
    if (Setting("FINDFILE_TREE").empty()) GTEST_SKIP() << "no tree prepared (FINDFILE_TREE)";
  }
};

TEST_F(PreparedTree, DriveRootGivesRootPaths) {
  const std::string drive = Setting("FINDFILE_DRIVE");
  ASSERT_NE(GetFileAttributesA((drive + "\\top.txt").c_str()), INVALID_FILE_ATTRIBUTES) << drive << " is not mapped";
  for (const std::string& folderName : {drive + "\\", drive}) {
    TFindFile find;
    find.FolderName = folderName;
    EXPECT_EQ(Sorted(Walk(find)), Sorted({{drive + "\\", "top.txt"}, {drive + "\\sub\\", "inner.txt"}})) << folderName;
  }
}

// A link to the root or to a folder that holds it, or into the walked tree,
// would report files again: loop\a\up leads to the root loop, loop\b\self to
// loop\b, loop\b\side to loop\a, up\inner\up to the folder that holds the
// root (and the root in it once more). loop\b\out leads out of the tree and
// is followed.
TEST_F(PreparedTree, LinksBackIntoOrAboveTheWalkedTreeAreNotEntered) {
  struct Row {
    std::string root;
    std::vector<std::string> links;
    std::vector<Found> expected;
  };
  const std::string loop = Prepared("loop"), inner = Prepared("up/inner");
  const Row rows[] = {
      {loop,
       {"a\\up", "b\\side", "b\\self", "b\\out"},
       {{loop, "root.txt"}, {loop + "a\\", "a.txt"}, {loop + "b\\", "b.txt"}, {loop + "b\\out\\", "inner.txt"}}},
      {inner, {"up"}, {{inner, "inner.url"}}},
  };
  for (const Row& row : rows) {
    for (const std::string& link : row.links)
      ASSERT_EQ(GetFileAttributesA((row.root + link).c_str()),
                DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT})
          << row.root << link;
    TFindFile find;
    find.FolderName = row.root;
    EXPECT_EQ(Sorted(Walk(find)), Sorted(row.expected)) << row.root;
  }
}

// Folders that the ANSI calls cannot enter: a name that the code page cannot
// hold (932 has no ά, 1252 no Greek at all), names that end in a dot or a
// space, a path past MAX_PATH. Reports give their ANSI names and, beside
// them, the names as the file system has them. Names made on Linux with
// characters that no Windows path carries are reported by their short names,
// by which the file can be reached, with short names asked for or not.
TEST_F(PreparedTree, EntersFoldersThatOnlyTheWideNamesReach) {
  const std::wstring l100(100, L'l');
  struct Row {
    std::wstring folder;
    std::wstring name;
  };
  const Row rows[] = {
      {L"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac", L"greek.url"},
      {L"dotend.", L"dot.url"},
      {L"spaceend ", L"space.url"},
      {l100 + L"\\" + l100 + L"\\" + l100, L"long.url"},
  };
  const std::string names = Prepared("names");
  for (const bool withShortNames : {true, false}) {
    SCOPED_TRACE(withShortNames ? "with short names" : "without short names");
    TFindFile find;
    find.FolderName = names;
    find.WithShortNames = withShortNames;
    std::vector<Found> reports;
    std::vector<TSearchRec> records;
    std::wstring open(names.begin(), names.end());  // the folder the walk is in, by the names it told
    find.OnEnterFolder = [&](const std::wstring& name) { open += name + L'\\'; };
    find.OnLeaveFolder = [&] { open.resize(open.rfind(L'\\', open.size() - 2) + 1); };
    find.OnFind = [&](const std::string& fileName, const std::string& path, TSearchRec search, bool&) {
      EXPECT_EQ(search.WideFolder, open);
      reports.push_back({path, fileName});
      records.push_back(search);
    };
    EXPECT_EQ(find.Execute(), static_cast<int>(std::size(rows)) + 1);
    for (const Row& row : rows) {
      const std::wstring folder = std::wstring(names.begin(), names.end()) + row.folder + L"\\";
      const auto record = std::find_if(records.begin(), records.end(),
                                       [&](const TSearchRec& search) { return search.WideFolder == folder; });
      if (record == records.end()) {
        ADD_FAILURE() << Ansi(folder) << " not entered";
        continue;
      }
      EXPECT_EQ(record->WideName, row.name);
      EXPECT_EQ(record->EntryName, Ansi(row.name));
      EXPECT_EQ(reports[record - records.begin()], (Found{Ansi(folder), Ansi(row.name)}));
    }
    // Every one is a shortcut by the name rules, which want ".url" in lower case.
    for (const TSearchRec& record : records) {
      EXPECT_NE(GetFileAttributesW((L"\\\\?\\" + record.WideFolder + record.WideName).c_str()), INVALID_FILE_ATTRIBUTES)
          << Ansi(record.WideFolder + record.WideName);
      EXPECT_TRUE(record.WideName.ends_with(L".url")) << Ansi(record.WideName);
    }
  }
}

TEST_F(PreparedTree, ZeroTimeStampIsOlderThanAnyDateButNeverNewer) {
  TFindFile find;
  find.FolderName = Prepared("zero");
  std::vector<TSearchRec> records;
  find.OnFind = [&](const std::string&, const std::string&, TSearchRec search, bool&) { records.push_back(search); };
  ASSERT_EQ(find.Execute(), 1);
  const FILETIME stamp = records.at(0).Win32Data.ftLastWriteTime;
  if (stamp.dwLowDateTime || stamp.dwHighDateTime) GTEST_SKIP() << "the file system kept no 1601 stamp";

  find.OnFind = nullptr;
  find.CheckTimeIs = tmOlder;
  EXPECT_EQ(find.Execute(), 1);
  find.CheckTimeIs = tmNewer;
  EXPECT_EQ(find.Execute(), 0);
  // A zero stamp stands for 30 December 1899, not for its date of 1601.
  find.CheckedTime = -1;
  EXPECT_EQ(find.Execute(), 1);
}

TEST_F(PreparedTree, DatePastTheYear9999FailsOnlyUnderATimeFilter) {
  TFindFile find;
  find.FolderName = Prepared("far");
  std::vector<TSearchRec> records;
  find.OnFind = [&](const std::string&, const std::string&, TSearchRec search, bool&) { records.push_back(search); };
  ASSERT_EQ(find.Execute(), 1);
  SYSTEMTIME stamp;
  FileTimeToSystemTime(&records.at(0).Win32Data.ftLastWriteTime, &stamp);
  if (stamp.wYear < 10000) GTEST_SKIP() << "the file system kept the year " << stamp.wYear;

  find.CheckTimeIs = tmNewer;
  try {
    find.Execute();
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "日付に変換できない値が渡されました");
  }
  EXPECT_EQ(records.size(), 1u);
}

}  // namespace
