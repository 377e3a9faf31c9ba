#include "win/NameDialog.h"

#include <utility>

#include "win/Application.h"
#include "win/Dpi.h"
#include "win/Failure.h"
#include "win/FailureBox.h"

namespace win {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kMaxNameLength = 255;

// The layout, in dialog units (a quarter of the font's average character
// width, an eighth of its height): the edit box about 60 characters wide, the
// refusal line below it, OK and Cancel at the bottom right.
constexpr int kMargin = 7;
constexpr int kGap = 4;
constexpr int kLineWidth = 240;
constexpr int kEditHeight = 14;
constexpr int kMessageTop = kMargin + kEditHeight + kGap;
constexpr int kMessageHeight = 8;
constexpr int kButtonTop = kMessageTop + kMessageHeight + kMargin;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kCancelLeft = kMargin + kLineWidth - kButtonWidth;
constexpr int kOkLeft = kCancelLeft - kGap - kButtonWidth;
constexpr int kClientWidth = kMargin + kLineWidth + kMargin;
constexpr int kClientHeight = kButtonTop + kButtonHeight + kMargin;

// Dialog units to pixels in the dialog's font.
class DialogUnits {
 public:
  explicit DialogUnits(HFONT font) {
    static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const WindowDc screen(nullptr);
    const Selection selected(screen.get(), font);
    SIZE letters{};
    GetTextExtentPoint32W(screen.get(), kLetters, 52, &letters);
    charWidth_ = letters.cx / 52;
    charHeight_ = letters.cy;
  }
  int X(int units) const { return MulDiv(units, charWidth_, 4); }
  int Y(int units) const { return MulDiv(units, charHeight_, 8); }
  text::Box Box(int left, int top, int width, int height) const { return {X(left), Y(top), X(width), Y(height)}; }

 private:
  int charWidth_ = 0;
  int charHeight_ = 0;
};

}  // namespace

NameDialog::NameDialog(Texts texts, std::wstring name, Check check)
    : check_(std::move(check)),
      ownFont_(MessageBoxFont(PrimaryMonitorDpi())),
      font_(ownFont_ ? ownFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {
  const DialogUnits units(font_);
  RECT frame{0, 0, units.X(kClientWidth), units.Y(kClientHeight)};
  AdjustFrameForDpi(frame, kStyle, kExStyle, PrimaryMonitorDpi());
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  CreateHandle(
      {L"TNameForm", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr},
      {kExStyle, kStyle, texts.caption.c_str(), text::CentredOrigin(GetSystemMetrics(SM_CXSCREEN), width),
       text::CentredOrigin(GetSystemMetrics(SM_CYSCREEN), height), width, height, Application::Instance().Handle()});
  edit_ = AddPart(L"EDIT", name.c_str(), WS_EX_CLIENTEDGE, ES_AUTOHSCROLL | WS_TABSTOP, kEditId,
                  units.Box(kMargin, kMargin, kLineWidth, kEditHeight));
  SendMessageW(edit_, EM_LIMITTEXT, kMaxNameLength, 0);
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  message_ = AddPart(L"STATIC", L"", 0, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kMessageId,
                     units.Box(kMargin, kMessageTop, kLineWidth, kMessageHeight));
  AddPart(L"BUTTON", texts.ok.c_str(), 0, BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
          units.Box(kOkLeft, kButtonTop, kButtonWidth, kButtonHeight));
  AddPart(L"BUTTON", texts.cancel.c_str(), 0, BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
          units.Box(kCancelLeft, kButtonTop, kButtonWidth, kButtonHeight));
}

HWND NameDialog::AddPart(const wchar_t* className, const wchar_t* caption, DWORD exStyle, DWORD style, int id,
                         const text::Box& box) {
  const HWND part = Made(CreateWindowExW(
      exStyle, className, caption, WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.width, box.height, Handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr));
  SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return part;
}

std::optional<std::wstring> NameDialog::ShowModal() {
  const ModalScope modal;
  closed_ = false;
  accepted_.reset();
  ShowWindow(Handle(), SW_SHOWNORMAL);
  MSG msg;
  while (!closed_) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      // The program is ending: close, and leave the quit message to the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      closed_ = true;
    } else if (!IsDialogMessageW(Handle(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  ShowWindow(Handle(), SW_HIDE);
  return std::exchange(accepted_, std::nullopt);
}

void NameDialog::Accept() {
  std::wstring name(GetWindowTextLengthW(edit_), L'\0');
  name.resize(GetWindowTextW(edit_, name.data(), static_cast<int>(name.size()) + 1));
  const std::wstring refusal = check_(name);
  if (refusal.empty()) {
    accepted_ = std::move(name);
    closed_ = true;
    return;
  }
  SetWindowTextW(message_, refusal.c_str());
  // Pressing OK with the mouse took the focus to the button.
  SetFocus(edit_);
}

LRESULT NameDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // IsDialogMessage turns Enter into IDOK and Esc into IDCANCEL.
      if (LOWORD(wParam) == IDOK) {
        Accept();
        return 0;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        closed_ = true;
        return 0;
      }
      break;
    case WM_CLOSE: closed_ = true; return 0;
    case WM_SETFOCUS: SetFocus(edit_); return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace win
