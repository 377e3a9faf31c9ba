#include "win/NameDialog.h"

#include <utility>

namespace win {
namespace {

constexpr int kMaxNameLength = 255;

// The layout, in dialog units: the edit box about 60 characters wide, the
// refusal line below it, OK and Cancel at the bottom right.
constexpr int kMargin = ModalDialog::kMargin, kGap = ModalDialog::kGap;
constexpr int kButtonWidth = ModalDialog::kButtonWidth, kButtonHeight = ModalDialog::kButtonHeight;
constexpr int kLineWidth = 240;
constexpr int kEditHeight = 14;
constexpr int kMessageTop = kMargin + kEditHeight + kGap;
constexpr int kMessageHeight = 8;
constexpr int kButtonTop = kMessageTop + kMessageHeight + kMargin;
constexpr int kCancelLeft = kMargin + kLineWidth - kButtonWidth;
constexpr int kOkLeft = kCancelLeft - kGap - kButtonWidth;
constexpr int kClientWidth = kMargin + kLineWidth + kMargin;
constexpr int kClientHeight = kButtonTop + kButtonHeight + kMargin;

}  // namespace

NameDialog::NameDialog(Texts texts, std::wstring name, Check check) : check_(std::move(check)) {
  // Dialog units to pixels in the dialog's font.
  const SIZE letters = LetterSize();
  const auto box = [&](int left, int top, int width, int height) {
    return text::Box{MulDiv(left, letters.cx, 4), MulDiv(top, letters.cy, 8), MulDiv(width, letters.cx, 4),
                     MulDiv(height, letters.cy, 8)};
  };
  const text::Box client = box(0, 0, kClientWidth, kClientHeight);
  CreateFrame(L"TNameForm", texts.caption, client.width, client.height);
  edit_ = AddPart(L"EDIT", name.c_str(), WS_EX_CLIENTEDGE, ES_AUTOHSCROLL | WS_TABSTOP, kEditId,
                  box(kMargin, kMargin, kLineWidth, kEditHeight));
  SendMessageW(edit_, EM_LIMITTEXT, kMaxNameLength, 0);
  SendMessageW(edit_, EM_SETSEL, 0, -1);
  message_ = AddPart(L"STATIC", L"", 0, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kMessageId,
                     box(kMargin, kMessageTop, kLineWidth, kMessageHeight));
  AddPart(L"BUTTON", texts.ok.c_str(), 0, BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
          box(kOkLeft, kButtonTop, kButtonWidth, kButtonHeight));
  AddPart(L"BUTTON", texts.cancel.c_str(), 0, BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
          box(kCancelLeft, kButtonTop, kButtonWidth, kButtonHeight));
}

void NameDialog::Accept() {
  std::wstring name(GetWindowTextLengthW(edit_), L'\0');
  name.resize(GetWindowTextW(edit_, name.data(), static_cast<int>(name.size()) + 1));
  const std::wstring refusal = check_(name);
  if (refusal.empty()) {
    accepted_ = std::move(name);
    End(IDOK);
    return;
  }
  SetWindowTextW(message_, refusal.c_str());
  // Pressing OK with the mouse took the focus to the button.
  SetFocus(edit_);
}

}  // namespace win
