// The settings file: what a write keeps, and what a failed write leaves.
#include "app/SettingsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "TamarooProcess.h"
#include "win/Failure.h"
#include "win/Handles.h"
#include "win/WideText.h"

namespace tamaroo_test {
namespace {

std::string Value(const std::string& file, const char* section, const char* key) {
  char value[64] = "";
  GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, file.c_str());
  return value;
}

TEST(SettingsFile, WritesBothKeysAndKeepsEverythingElse) {
  struct Row {
    const char* before;  // null: no file yet
    const char* otherSection;
    const char* otherKey;
    const char* otherValue;
  };
  const Row rows[] = {
      {nullptr, "General", "Name", "<none>"},
      {"[General]\r\nLeft=1\r\nName=x\r\nTop=2\r\n", "General", "Name", "x"},
      {"[Other]\r\nLeft=7\r\n[General]\r\nTop=2\r\n", "Other", "Left", "7"},
      // A key the profile functions take for this one, however it is written.
      {"[general]\r\n left = 1\r\nTOP=2\r\n[Last]\r\nA=b\r\n", "Last", "A", "b"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.before ? row.before : "no file");
    const TempFolder folder;
    const std::string file = folder.Path() + "Settings.ini";
    if (row.before) folder.Write("Settings.ini", row.before);
    app::SettingsFile(file).WriteValues("General", {{"Left", "-5"}, {"Top", "600"}});
    EXPECT_EQ(Value(file, "General", "Left"), "-5");
    EXPECT_EQ(Value(file, "General", "Top"), "600");
    EXPECT_EQ(Value(file, row.otherSection, row.otherKey), row.otherValue);
    EXPECT_EQ(FileNames(folder.Path()), std::vector<std::string>{"Settings.ini"});
  }
}

TEST(SettingsFile, AFileHeldOpenByAnotherProgramIsWaitedForUpToASecond) {
  const struct {
    std::chrono::milliseconds heldFor;
    bool written;
  } rows[] = {
      {std::chrono::milliseconds(200), true}, {std::chrono::hours(1), false},  // in effect until the write gives up
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.written ? "let go" : "held");
    const TempFolder folder;
    const std::string file = folder.Path() + "Settings.ini";
    folder.Write("Settings.ini", "[General]\r\nLeft=10\r\n");
    // As an editor holds it: readers and writers shared, a rename not.
    win::FileHandle held = win::OwnFile(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                    nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    std::promise<void> done;
    std::thread holder([&, wait = done.get_future()] {
      wait.wait_for(row.heldFor);
      held.reset();
    });
    std::wstring failure;
    try {
      app::SettingsFile(file).WriteValues("General", {{"Left", "1"}});
    } catch (const win::Failure& f) {
      failure = f.Text();
    }
    done.set_value();
    holder.join();
    EXPECT_EQ(failure, row.written ? L"" : win::FromAnsi(file) + L" に書き込めません");
    EXPECT_EQ(Value(file, "General", "Left"), row.written ? "1" : "10");
    EXPECT_EQ(FileNames(folder.Path()), std::vector<std::string>{"Settings.ini"});
  }
}

TEST(SettingsFile, AWriteThatFindsNoRoomLeavesTheFolderAsItWasAndSaysSo) {
  const std::string folder = TAMAROO_SETTINGS_DISK "\\settings\\";
  if (!CreateDirectoryA(folder.c_str(), nullptr)) GTEST_SKIP() << "no small disk at " TAMAROO_SETTINGS_DISK;
  const std::string settings = folder + "Settings.ini";
  const std::string filler = folder + "filler";
  WritePrivateProfileStringA("General", "Left", "10", settings.c_str());
  WritePrivateProfileStringA("Other", "Name", "kept", settings.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, settings.c_str());
  FillDisk(filler);
  for (const char* name : {"Settings.ini", "Fresh.ini"}) {
    SCOPED_TRACE(name);
    const std::string file = folder + name;
    try {
      app::SettingsFile(file).WriteValues("General", {{"Left", "1234"}, {"Top", "5678"}});
      ADD_FAILURE() << "written onto a full disk";
    } catch (const win::Failure& failure) {
      EXPECT_EQ(failure.Text(), win::FromAnsi(file) + L" に書き込めません");
    }
    EXPECT_EQ(FileNames(folder), (std::vector<std::string>{"Settings.ini", "filler"}));
    EXPECT_EQ(Value(settings, "General", "Left"), "10");
    EXPECT_EQ(Value(settings, "Other", "Name"), "kept");
  }
  DeleteFileA(filler.c_str());
  DeleteFileA(settings.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace tamaroo_test
