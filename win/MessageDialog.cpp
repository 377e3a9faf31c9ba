#include "win/MessageDialog.h"

#include <cstring>
#include <new>
#include <string_view>

#include "text/AboutText.h"
#include "win/Application.h"
#include "win/Dpi.h"
#include "win/Failure.h"
#include "win/FailureBox.h"
#include "win/WideText.h"

namespace win {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr std::wstring_view kButtonCaption = L"OK";
// An "&" in the text is shown as it is, not taken for an access key.
constexpr UINT kMessageFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

text::DialogMeasure Measure(HFONT font, const std::string& message, UINT dpi) {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  const WindowDc screen(nullptr);
  const Selection selected(screen.get(), font);
  SIZE letters{};
  GetTextExtentPoint32A(screen.get(), kLetters, 52, &letters);
  RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextA(screen.get(), message.data(), static_cast<int>(message.size()), &text, kMessageFormat | DT_CALCRECT);
  RECT button{};
  DrawTextW(screen.get(), kButtonCaption.data(), static_cast<int>(kButtonCaption.size()), &button,
            DT_SINGLELINE | DT_CALCRECT);
  return {letters.cx / 52,      letters.cy, text.right, text.bottom, button.right, MetricForDpi(SM_CXICON, dpi),
          static_cast<int>(dpi)};
}

// Ctrl+C with no other modifier, pressed anywhere in the dialog.
bool IsCopyKey(HWND dialog, const MSG& msg) {
  return msg.message == WM_KEYDOWN && msg.wParam == 'C' && (msg.hwnd == dialog || IsChild(dialog, msg.hwnd)) &&
         GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
}

}  // namespace

MessageDialog::MessageDialog(std::wstring caption, std::string message, const wchar_t* iconName)
    : caption_(std::move(caption)),
      message_(std::move(message)),
      dpi_(PrimaryMonitorDpi()),
      ownFont_(MessageBoxFont(dpi_)),
      font_(ownFont_ ? ownFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))) {
  const text::DialogLayout layout = text::LayOutMessageDialog(Measure(font_, message_, dpi_));
  if (iconName) {
    icon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), iconName, IMAGE_ICON, layout.icon.width,
                                              layout.icon.height, LR_DEFAULTCOLOR)));
  }
  RECT frame{0, 0, layout.clientWidth, layout.clientHeight};
  AdjustFrameForDpi(frame, kStyle, kExStyle, dpi_);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  CreateHandle(
      {L"TMessageForm", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr},
      {kExStyle, kStyle, caption_.c_str(), text::CentredOrigin(GetSystemMetrics(SM_CXSCREEN), width),
       text::CentredOrigin(GetSystemMetrics(SM_CYSCREEN), height), width, height, Application::Instance().Handle()});
  Made(Handle());
  AddPart(L"STATIC", nullptr, SS_OWNERDRAW, kImageId, layout.icon);
  AddPart(L"STATIC", nullptr, SS_OWNERDRAW, kMessageId, layout.text);
  button_ = AddPart(L"BUTTON", kButtonCaption.data(), BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, layout.button);
  SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

HWND MessageDialog::AddPart(const wchar_t* className, const wchar_t* caption, DWORD style, int id,
                            const text::Box& box) {
  return Made(CreateWindowExW(0, className, caption, WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.width,
                              box.height, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr));
}

int MessageDialog::ShowModal() {
  const ModalScope modal;
  ShowWindow(Handle(), SW_SHOWNORMAL);
  result_ = 0;
  MSG msg;
  while (!result_) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      // The program is ending: close, and leave the quit message to the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      result_ = IDCANCEL;
    } else if (IsCopyKey(Handle(), msg)) {
      SendMessageW(Handle(), WM_COPY, 0, 0);
    } else if (!IsDialogMessageW(Handle(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  ShowWindow(Handle(), SW_HIDE);
  return result_;
}

void MessageDialog::DrawPart(const DRAWITEMSTRUCT& item) const {
  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
  if (item.CtlID == kImageId) {
    DrawIconEx(item.hDC, area.left, area.top, icon_.get(), area.right - area.left, area.bottom - area.top, 0, nullptr,
               DI_NORMAL);
    return;
  }
  const Selection selected(item.hDC, font_);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(item.hDC, message_.data(), static_cast<int>(message_.size()), &area, kMessageFormat);
}

void MessageDialog::CopyToClipboard() const {
  MessageBeep(0);
  const ClipboardLock clipboard(Handle());
  if (!clipboard.IsOpen()) throw Failure(FromUtf8(Texts().cannotOpenClipboard));
  EmptyClipboard();
  const std::wstring button(kButtonCaption);
  SetClipboardText(CF_TEXT, text::CopyBlock(ToAnsi(caption_), message_, ToAnsi(button)));
  SetClipboardText(CF_UNICODETEXT, text::CopyBlock(caption_, FromAnsi(message_), button));
}

LRESULT MessageDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM: DrawPart(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_COMMAND:
      // The one button is the default and the cancel button: Enter and Esc both press it.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        result_ = IDOK;
        return 0;
      }
      break;
    case WM_CLOSE: result_ = IDCANCEL; return 0;
    case WM_SETFOCUS: SetFocus(button_); return 0;
    case WM_COPY: CopyToClipboard(); return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace win
