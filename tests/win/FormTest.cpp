#include "win/Form.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ModalProbe.h"
#include "ZOrder.h"
#include "app/FailureTexts.h"
#include "text/FailureText.h"
#include "win/Application.h"
#include "win/Failure.h"
#include "win/WideText.h"

namespace {

using tamaroo_test::RunWithProbe;
using tamaroo_test::ThreadWindow;

constexpr UINT kThrowFailure = WM_APP;
constexpr UINT kThrowStd = WM_APP + 1;
constexpr UINT kThrowOther = WM_APP + 2;

class ThrowingForm : public win::Form {
 public:
  explicit ThrowingForm(HWND owner, DWORD style = WS_POPUP | WS_VISIBLE) {
    CreateHandle({L"ThrowingForm", 0, nullptr, nullptr}, {WS_EX_TOPMOST, style, L"form", 10, 10, 40, 40, owner});
  }
  int handled = 0;
  int cancels = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case kThrowFailure: throw win::Failure(L"ファイル x は開けません");
      case kThrowStd: throw std::runtime_error("\xE6\x97\xA5\xE4\xBB\x98 bad");  // "日付 bad" in UTF-8
      case kThrowOther: throw 42;
      case WM_APP + 3: return ++handled;
      case WM_CANCELMODE:
        // Counted only before any box exists: showing one cancels the capture too.
        if (!FindWindowW(L"#32770", nullptr)) ++cancels;
        break;
    }
    return Form::HandleMessage(message, wParam, lParam);
  }
};

struct Seen {
  std::wstring text;
  std::wstring caption;
  bool mainEnabled = true;
  bool boxInFront = false;
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
                   seen.boxInFront = tamaroo_test::InFront(box, form.Handle());
                   seen.owner = GetWindow(box, GW_OWNER);
                   SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                 });
    return seen;
  }

  win::Application app{L"Tamaroo", L"MAINICON"};
  ThrowingForm form{app.Handle()};

  void SetUp() override {
    win::UseFailureTexts(app::kFailureTexts);
    app.SetMainWindow(form.Handle());
  }
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
    EXPECT_TRUE(seen.boxInFront);
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  }
  EXPECT_EQ(SendMessageW(form.Handle(), WM_APP + 3, 0, 0), 1);
}

TEST_F(FormTest, TheApplicationWindowHasNoTaskbarPresence) {
  EXPECT_EQ(GetWindowLongW(app.Handle(), GWL_EXSTYLE), WS_EX_TOOLWINDOW);
  EXPECT_FALSE(IsWindowVisible(app.Handle()));
}

TEST_F(FormTest, TheMouseCaptureIsCancelledBeforeAFailureIsShown) {
  // Hidden, so it is not disabled while the box is up, which cancels a capture too.
  ThrowingForm holder{app.Handle(), WS_POPUP};
  SetCapture(holder.Handle());
  SendAndReadBox(kThrowFailure);
  EXPECT_EQ(holder.cancels, 1);
}

TEST(Failure, GivesTheSystemsTextForACodeOnceDottedAndItsTextInUtf8) {
  win::UseFailureTexts(app::kFailureTexts);
  const win::Failure failure(win::SystemErrorText(ERROR_ACCESS_DENIED));
  const std::wstring shown = text::WithFinalDot(failure.Text());
  const std::wstring start = L"システムエラー。コード：5.\r\n";
  ASSERT_GT(shown.size(), start.size() + 1);
  EXPECT_EQ(shown.substr(0, start.size()), start);
  EXPECT_EQ(shown.back(), L'.');
  EXPECT_GT(shown[shown.size() - 2], L'.') << "the system's text ends in a blank or a dot";
  EXPECT_EQ(win::FromUtf8(reinterpret_cast<const char8_t*>(failure.what())), failure.Text());
}

}  // namespace
