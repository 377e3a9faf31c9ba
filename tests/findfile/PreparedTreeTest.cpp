// Walks over the tree that make-tree.sh prepares from the Unix side.
#include <gtest/gtest.h>

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

// loop\a\up leads to loop, loop\b\self to loop\b: both are on the path when
// met. loop\b\side leads to loop\a, which is not, and is followed.
TEST_F(PreparedTree, LinksBackToTheWalkedPathAreNotEntered) {
  const std::string loop = Prepared("loop");
  for (const char* link : {"a\\up", "b\\side", "b\\self"})
    ASSERT_EQ(GetFileAttributesA((loop + link).c_str()), DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT})
        << link;
  TFindFile find;
  find.FolderName = loop;
  EXPECT_EQ(
      Sorted(Walk(find)),
      Sorted({{loop, "root.txt"}, {loop + "a\\", "a.txt"}, {loop + "b\\", "b.txt"}, {loop + "b\\side\\", "a.txt"}}));
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
