// Walks over the tree that make-tree.sh prepares from the Unix side.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Walk.h"
#include "findfile/FindFile.h"

namespace {

std::string Setting(const char* Name) {
  const char* Value = std::getenv(Name);
  return Value ? Value : "";
}

// The prepared folder, seen through Wine's Z: drive, ending with '\'.
std::string Prepared(const std::string& Folder) {
  std::string Path = "Z:" + Setting("FINDFILE_TREE") + "/" + Folder + "/";
  for (char& Byte : Path)
    if (Byte == '/') Byte = '\\';
  return Path;
}

class PreparedTree : public testing::Test {
 protected:
  void SetUp() override {
    if (Setting("FINDFILE_TREE").empty()) GTEST_SKIP() << "no tree prepared (FINDFILE_TREE)";
  }
};

TEST_F(PreparedTree, DriveRootGivesRootPaths) {
  const std::string Drive = Setting("FINDFILE_DRIVE");
  ASSERT_NE(GetFileAttributesA((Drive + "\\top.txt").c_str()), INVALID_FILE_ATTRIBUTES)
      << Drive << " is not mapped";
  for (const std::string& FolderName : {Drive + "\\", Drive}) {
    TFindFile Find;
    Find.FolderName = FolderName;
    EXPECT_EQ(Sorted(Walk(Find)), Sorted({{Drive + "\\", "top.txt"},
                                                      {Drive + "\\sub\\", "inner.txt"}}))
        << FolderName;
  }
}

// loop\a\up leads to loop, loop\b\self to loop\b: both are on the path when
// met. loop\b\side leads to loop\a, which is not, and is followed.
TEST_F(PreparedTree, LinksBackToTheWalkedPathAreNotEntered) {
  const std::string Loop = Prepared("loop");
  for (const char* Link : {"a\\up", "b\\side", "b\\self"})
    ASSERT_EQ(GetFileAttributesA((Loop + Link).c_str()),
              DWORD{FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT})
        << Link;
  TFindFile Find;
  Find.FolderName = Loop;
  EXPECT_EQ(Sorted(Walk(Find)), Sorted({{Loop, "root.txt"},
                                                    {Loop + "a\\", "a.txt"},
                                                    {Loop + "b\\", "b.txt"},
                                                    {Loop + "b\\side\\", "a.txt"}}));
}

TEST_F(PreparedTree, ZeroTimeStampIsOlderThanAnyDateButNeverNewer) {
  TFindFile Find;
  Find.FolderName = Prepared("zero");
  std::vector<TSearchRec> Records;
  Find.OnFind = [&](const std::string&, const std::string&, TSearchRec Search, bool&) {
    Records.push_back(Search);
  };
  ASSERT_EQ(Find.Execute(), 1);
  const FILETIME Stamp = Records.at(0).Win32Data.ftLastWriteTime;
  if (Stamp.dwLowDateTime || Stamp.dwHighDateTime) GTEST_SKIP() << "the file system kept no 1601 stamp";

  Find.OnFind = nullptr;
  Find.CheckTimeIs = tmOlder;
  EXPECT_EQ(Find.Execute(), 1);
  Find.CheckTimeIs = tmNewer;
  EXPECT_EQ(Find.Execute(), 0);
  // A zero stamp stands for 30 December 1899, not for its date of 1601.
  Find.CheckedTime = -1;
  EXPECT_EQ(Find.Execute(), 1);
}

TEST_F(PreparedTree, DatePastTheYear9999FailsOnlyUnderATimeFilter) {
  TFindFile Find;
  Find.FolderName = Prepared("far");
  std::vector<TSearchRec> Records;
  Find.OnFind = [&](const std::string&, const std::string&, TSearchRec Search, bool&) {
    Records.push_back(Search);
  };
  ASSERT_EQ(Find.Execute(), 1);
  SYSTEMTIME Stamp;
  FileTimeToSystemTime(&Records.at(0).Win32Data.ftLastWriteTime, &Stamp);
  if (Stamp.wYear < 10000) GTEST_SKIP() << "the file system kept the year " << Stamp.wYear;

  Find.CheckTimeIs = tmNewer;
  try {
    Find.Execute();
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& Error) {
    EXPECT_STREQ(Error.what(), "日付に変換できない値が渡されました");
  }
  EXPECT_EQ(Records.size(), 1u);
}

}  // namespace
