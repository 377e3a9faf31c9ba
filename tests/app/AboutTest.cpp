// The About box of the real program, opened through its menu.
#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "TamarooTest.h"
#include "ZOrder.h"
#include "win/MessageDialog.h"

namespace tamaroo_test {
namespace {

using win::MessageDialog;

constexpr char kAboutText[] = "Tamaroo\n\r\n\rCopyright (C) 2026 the Tamaroo authors\n\rAll rights reserved.";
constexpr wchar_t kAboutTextWide[] = L"Tamaroo\n\r\n\rCopyright (C) 2026 the Tamaroo authors\n\rAll rights reserved.";
constexpr wchar_t kCaption[] = L"バージョン情報";

auto Tie(const RECT& r) { return std::tuple(r.left, r.top, r.right, r.bottom); }

// A part of the box in the box's client coordinates.
RECT PartRect(HWND box, int id) {
  RECT r = WindowRect(GetDlgItem(box, id));
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Real key presses: the keys go down in order and come up in reverse.
void Press(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  const auto add = [&inputs](WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (const WORD key : keys) add(key, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) add(*key, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Click(POINT at) {
  Mouse(0, at.x, at.y);
  Mouse(MOUSEEVENTF_LEFTDOWN, at.x, at.y);
  Mouse(MOUSEEVENTF_LEFTUP, at.x, at.y);
}

POINT Centre(HWND window) {
  const RECT r = WindowRect(window);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The screen point of the box's close box, found along its caption bar.
POINT CloseBox(HWND box) {
  const RECT r = WindowRect(box);
  const int y = r.top + GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  for (int x = r.right - 1; x > r.left; --x) {
    if (SendMessageW(box, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) return {x, y};
  }
  return {r.right, r.top};
}

// Where the parts must be: the layout rules applied to the message-box font
// as this process measures it.
struct Layout {
  RECT image, message, button;
  int clientWidth, clientHeight;
  bool wrapped;  // the text took more than its four lines
};

Layout ExpectedLayout() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, font);
  SIZE letters{};
  GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextA(dc, kAboutText, -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  RECT ok{};
  DrawTextA(dc, "OK", -1, &ok, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);

  // The icon and the margin of the button's caption grow with the DPI.
  const int icon = GetSystemMetrics(SM_CXICON);
  const int padding = MulDiv(8, icon, 32);
  const int cw = letters.cx / 52, ch = letters.cy;
  const int marginX = MulDiv(8, cw, 4), marginY = MulDiv(8, ch, 8);
  const int spacingX = MulDiv(10, cw, 4), spacingY = MulDiv(10, ch, 8);
  const int buttonWidth = std::max<int>(MulDiv(50, cw, 4), ok.right + padding), buttonHeight = MulDiv(14, ch, 8);
  const int blockWidth = text.right + icon + spacingX, blockHeight = std::max<int>(text.bottom, icon);
  const int clientWidth = std::max(blockWidth, buttonWidth) + 2 * marginX;
  const int buttonLeft = (clientWidth - buttonWidth) / 2, buttonTop = blockHeight + marginY + spacingY;
  return {{marginX, marginY, marginX + icon, marginY + icon},
          {marginX + icon + spacingX, marginY, marginX + icon + spacingX + text.right, marginY + text.bottom},
          {buttonLeft, buttonTop, buttonLeft + buttonWidth, buttonTop + buttonHeight},
          clientWidth,
          blockHeight + buttonHeight + spacingY + 2 * marginY,
          text.bottom > 4 * letters.cy};
}

class TamarooAbout : public TamarooTest {
 protected:
  void SetUp() override {
    // Measures in the screen's pixels, as the program, which is DPI aware, lays out.
    SetProcessDPIAware();
    main = StartWithFace();
    ASSERT_TRUE(main);
  }

  // Chooses the About entry: the title entry, its sub-menu, and round from
  // its first entry to the last but one.
  HWND OpenAbout() {
    PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main), MAKELPARAM(-1, -1));
    const HWND menu = process->WaitForMenu();
    if (!menu) return nullptr;
    for (const WPARAM key : {VK_DOWN, VK_RIGHT, VK_UP, VK_UP, VK_RETURN}) Key(menu, key);
    const HWND box = process->WaitForWindow(L"TMessageForm", kCaption);
    WaitForKeyboard(box);
    return box;
  }

  // Keys pressed now go to the box's button.
  static void WaitForKeyboard(HWND box) {
    EXPECT_TRUE(WaitUntil([box] {
      GUITHREADINFO thread{};
      thread.cbSize = sizeof thread;
      GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &thread);
      return GetForegroundWindow() == box && thread.hwndFocus == GetDlgItem(box, IDOK);
    }));
  }

  HWND main = nullptr;
};

// Also run on a 240x320 screen, where the copyright line wraps, and at 150 %.
TEST_F(TamarooAbout, LaysOutItsPartsFromTheMessageFontCentredOnTheScreen) {
  const HWND box = OpenAbout();
  ASSERT_TRUE(box);
  EXPECT_EQ(GetWindow(box, GW_OWNER), GetWindow(main, GW_OWNER));
  const LONG style = GetWindowLongW(box, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(GetWindowLongW(box, GWL_EXSTYLE) & (WS_EX_DLGMODALFRAME | WS_EX_TOPMOST), WS_EX_DLGMODALFRAME);
  // The main window is disabled, behind the box, and still painted.
  EXPECT_FALSE(IsWindowEnabled(main));
  EXPECT_TRUE(WaitUntil([&] { return InFront(box, main); }));
  InvalidateRect(main, nullptr, FALSE);
  EXPECT_TRUE(WaitUntil([this] { return !GetUpdateRect(main, nullptr, FALSE); }));

  const Layout expected = ExpectedLayout();
  RECT client{};
  GetClientRect(box, &client);
  EXPECT_EQ(client.right, expected.clientWidth);
  EXPECT_EQ(client.bottom, expected.clientHeight);
  EXPECT_EQ(Tie(PartRect(box, MessageDialog::kImageId)), Tie(expected.image));
  EXPECT_EQ(Tie(PartRect(box, MessageDialog::kMessageId)), Tie(expected.message));
  EXPECT_EQ(Tie(PartRect(box, IDOK)), Tie(expected.button));
  const RECT frame = WindowRect(box);
  EXPECT_EQ(frame.left, GetSystemMetrics(SM_CXSCREEN) / 2 - (frame.right - frame.left) / 2);
  EXPECT_EQ(frame.top, GetSystemMetrics(SM_CYSCREEN) / 2 - (frame.bottom - frame.top) / 2);
  EXPECT_EQ(expected.wrapped, GetSystemMetrics(SM_CXSCREEN) < 400) << "the narrow screen must wrap the text";
}

struct Closing {
  const char* way;
  std::function<void(HWND box)> close;
};

TEST_F(TamarooAbout, EachWayOfClosingClosesTheBoxAndDoesNothingElse) {
  const Closing closings[] = {
      {"Enter", [](HWND) { Press({VK_RETURN}); }},
      {"Esc", [](HWND) { Press({VK_ESCAPE}); }},
      {"Alt+F4",
       [](HWND) {
         Press({VK_MENU, VK_F4});
       }},
      {"the OK button", [](HWND box) { Click(Centre(GetDlgItem(box, IDOK))); }},
      {"the close box", [](HWND box) { Click(CloseBox(box)); }},
      {"Esc after Ctrl+Shift+C and Ctrl+Alt+C, which copy nothing",
       [](HWND) {
         Press({VK_CONTROL, VK_SHIFT, 'C'});
         Press({VK_CONTROL, VK_MENU, 'C'});
         Press({VK_ESCAPE});
       }},
  };
  PutOnClipboard(L"CF_UNICODETEXT", L"before");
  for (const auto& [way, close] : closings) {
    SCOPED_TRACE(way);
    const HWND box = OpenAbout();
    ASSERT_TRUE(box);
    // The application's icon (its red ribbon), at every opening.
    const RECT image = PartRect(box, MessageDialog::kImageId);
    EXPECT_TRUE(WaitUntil([&] { return PixelAt(box, image.left + 21, image.top + 10) == RGB(255, 0, 0); }));
    close(box);
    EXPECT_TRUE(WaitUntil([box] { return !IsWindow(box); }));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(ClipboardText<char>(CF_TEXT), "before");
  }
}

// Also run under code page 1252, where the caption has no bytes of its own.
TEST_F(TamarooAbout, CtrlCCopiesTheBoxAsTextOrSaysTheClipboardIsHeld) {
  char caption[64] = "";
  WideCharToMultiByte(CP_ACP, 0, kCaption, -1, caption, sizeof caption, nullptr, nullptr);
  const std::string line(27, '-');
  const std::wstring wideLine(27, L'-');
  const std::string ansi =
      line + "\r\n" + caption + "\r\n" + line + "\r\n" + kAboutText + "\r\n" + line + "\r\nOK   \r\n" + line + "\r\n";
  const std::wstring wide = wideLine + L"\r\n" + kCaption + L"\r\n" + wideLine + L"\r\n" + kAboutTextWide + L"\r\n" +
                            wideLine + L"\r\nOK   \r\n" + wideLine + L"\r\n";
  PutOnClipboard(L"CF_UNICODETEXT", L"before");
  const HWND box = OpenAbout();
  ASSERT_TRUE(box);

  ASSERT_TRUE(OpenClipboard(nullptr));  // held by this process
  Press({VK_CONTROL, 'C'});
  const HWND failure = process->WaitForFailureBox();
  CloseClipboard();
  ASSERT_TRUE(failure);
  EXPECT_EQ(BoxText(failure), L"クリップボードを開くことができません.");
  DismissBox(failure);
  WaitForKeyboard(box);
  EXPECT_TRUE(IsWindowVisible(box));
  EXPECT_TRUE(WaitUntil([&] { return InFront(box, main); }));
  EXPECT_EQ(ClipboardText<char>(CF_TEXT), "before");

  // Watched without opening it: a reader holding it would make the copy fail.
  const DWORD sequence = GetClipboardSequenceNumber();
  Press({VK_CONTROL, 'C'});
  EXPECT_TRUE(WaitUntil([sequence] { return GetClipboardSequenceNumber() != sequence && !GetOpenClipboardWindow(); }));
  EXPECT_TRUE(IsWindowVisible(box));
  Press({VK_RETURN});
  EXPECT_TRUE(WaitUntil([box] { return !IsWindow(box); }));
  // Read once the box is gone: the text outlives it.
  EXPECT_EQ(ClipboardText<char>(CF_TEXT), ansi);
  EXPECT_EQ(ClipboardText<wchar_t>(CF_UNICODETEXT), wide);
}

}  // namespace
}  // namespace tamaroo_test
