#include "win/MessageDialog.h"

#include <gtest/gtest.h>

#include "RefuseWindows.h"
#include "win/Application.h"
#include "win/Failure.h"

namespace {

TEST(MessageDialog, APartThatCannotBeMadeFailsAndLeavesNoDialog) {
  win::Application app{L"Tamaroo", L"MAINICON"};
  {
    const tamaroo_test::RefuseWindows refuse(L"Button");
    EXPECT_THROW(win::MessageDialog(L"c", "text", nullptr), win::Failure);
  }
  EXPECT_FALSE(FindWindowW(L"TMessageForm", nullptr));
}

}  // namespace
