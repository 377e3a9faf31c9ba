#include "win/MessageDialog.h"

#include <string_view>

#include "text/AboutText.h"
#include "win/Dpi.h"
#include "win/Failure.h"
#include "win/WideText.h"

namespace win {
namespace {

constexpr std::wstring_view kButtonCaption = L"OK";
// An "&" in the text is shown as it is, not taken for an access key.
constexpr UINT kMessageFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

text::DialogMeasure Measure(SIZE letters, HFONT font, const std::string& message, UINT dpi) {
  const WindowDc screen(nullptr);
  const Selection selected(screen.get(), font);
  RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextA(screen.get(), message.data(), static_cast<int>(message.size()), &text, kMessageFormat | DT_CALCRECT);
  RECT button{};
  DrawTextW(screen.get(), kButtonCaption.data(), static_cast<int>(kButtonCaption.size()), &button,
            DT_SINGLELINE | DT_CALCRECT);
  return {letters.cx,           letters.cy, text.right, text.bottom, button.right, MetricForDpi(SM_CXICON, dpi),
          static_cast<int>(dpi)};
}

}  // namespace

MessageDialog::MessageDialog(std::wstring caption, std::string message, const wchar_t* iconName)
    : caption_(std::move(caption)), message_(std::move(message)) {
  const text::DialogLayout layout = text::LayOutMessageDialog(Measure(LetterSize(), Font(), message_, Dpi()));
  if (iconName) {
    icon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), iconName, IMAGE_ICON, layout.icon.width,
                                              layout.icon.height, LR_DEFAULTCOLOR)));
  }
  CreateFrame(L"TMessageForm", caption_, layout.clientWidth, layout.clientHeight);
  AddPart(L"STATIC", nullptr, 0, SS_OWNERDRAW, kImageId, layout.icon);
  AddPart(L"STATIC", nullptr, 0, SS_OWNERDRAW, kMessageId, layout.text);
  AddPart(L"BUTTON", kButtonCaption.data(), 0, BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, layout.button);
}

bool MessageDialog::TakeMessage(const MSG& msg) {
  // Ctrl+C with no other modifier, pressed anywhere in the dialog, copies it.
  const bool copy = msg.message == WM_KEYDOWN && msg.wParam == 'C' &&
                    (msg.hwnd == Handle() || IsChild(Handle(), msg.hwnd)) && GetKeyState(VK_CONTROL) < 0 &&
                    GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
  if (copy) SendMessageW(Handle(), WM_COPY, 0, 0);
  return copy;
}

void MessageDialog::DrawPart(const DRAWITEMSTRUCT& item) const {
  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
  if (item.CtlID == kImageId) {
    DrawIconEx(item.hDC, area.left, area.top, icon_.get(), area.right - area.left, area.bottom - area.top, 0, nullptr,
               DI_NORMAL);
    return;
  }
  const Selection selected(item.hDC, Font());
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
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) break;
      End(IDOK);
      return 0;
    case WM_COPY: CopyToClipboard(); return 0;
  }
  return ModalDialog::HandleMessage(message, wParam, lParam);
}

}  // namespace win
