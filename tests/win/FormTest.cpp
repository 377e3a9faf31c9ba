#include "win/Form.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ModalProbe.h"
#include "win/Application.h"
#include "win/Failure.h"

namespace {

using tamaroo_test::RunWithProbe;
using tamaroo_test::ThreadWindow;

constexpr UINT kThrowFailure = WM_APP;
constexpr UINT kThrowStd = WM_APP + 1;
constexpr UINT kThrowOther = WM_APP + 2;

class ThrowingForm : public win::Form {
 public:
  explicit ThrowingForm(HWND owner) {
    CreateHandle({L"ThrowingForm", 0, nullptr, nullptr},
                 {WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, L"form", 10, 10, 40, 40, owner});
  }
  int handled = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case kThrowFailure: throw win::Failure(L"ファイル x は開けません");
      case kThrowStd: throw std::runtime_error("\xE6\x97\xA5\xE4\xBB\x98 bad");  // "日付 bad" in UTF-8
      case kThrowOther: throw 42;
      case WM_APP + 3: return ++handled;
    }
    return Form::HandleMessage(message, wParam, lParam);
  }
};

struct Seen {
  std::wstring text;
  std::wstring caption;
  bool mainEnabled = true;
  HWND owner = nullptr;
};

class FormTest : public ::testing::Test {
 protected:
  // Sends the message and reads the failure box it shows, then closes the box.
  Seen SendAndReadBox(UINT message) {
    Seen seen;
    RunWithProbe([&] { SendMessageW(form.Handle(), message, 0, 0); },
                 [&] {
                   const HWND box = ThreadWindow(L"#32770");
                   if (!box) return;
                   wchar_t text[256] = L"";
                   GetDlgItemTextW(box, 0xFFFF, text, 256);
                   seen.text = text;
                   GetWindowTextW(box, text, 256);
                   seen.caption = text;
                   seen.mainEnabled = IsWindowEnabled(form.Handle());
                   seen.owner = GetWindow(box, GW_OWNER);
                   SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                 });
    return seen;
  }

  win::Application app{L"Tamaroo", L"MAINICON"};
  ThrowingForm form{app.Handle()};

  void SetUp() override { app.SetMainWindow(form.Handle()); }
};

TEST_F(FormTest, FailuresInHandlersAreShownAndTheWindowGoesOn) {
  const std::pair<UINT, const wchar_t*> cases[] = {
      {kThrowFailure, L"ファイル x は開けません."},
      {kThrowStd, L"日付 bad."},
      {kThrowOther, L"予期しないエラーが発生しました."},
  };
  for (const auto& [message, text] : cases) {
    const Seen seen = SendAndReadBox(message);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.caption, L"Tamaroo");
    EXPECT_EQ(seen.owner, app.Handle());
    EXPECT_FALSE(seen.mainEnabled);
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  }
  EXPECT_EQ(SendMessageW(form.Handle(), WM_APP + 3, 0, 0), 1);
}

TEST_F(FormTest, TheApplicationWindowHasNoTaskbarPresence) {
  EXPECT_EQ(GetWindowLongW(app.Handle(), GWL_EXSTYLE), WS_EX_TOOLWINDOW);
  EXPECT_FALSE(IsWindowVisible(app.Handle()));
  EXPECT_EQ(&win::Application::Instance(), &app);
}

}  // namespace
