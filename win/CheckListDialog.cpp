#include "win/CheckListDialog.h"

#include <algorithm>

#include "win/Dpi.h"

namespace win {
namespace {

// The layout, in dialog units: the line of text at the top, the list below
// it, OK and Cancel at the bottom right.
constexpr int kPromptHeight = 8;

constexpr UINT kNoBox = INDEXTOSTATEIMAGEMASK(0);
constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

}  // namespace

CheckListDialog::CheckListDialog(const Texts& texts, const std::vector<Group>& groups) {
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  // Sized once the list can measure its rows.
  CreateFrame(L"TCheckListForm", texts.caption, 0, 0);
  prompt_ = AddPart(L"STATIC", texts.prompt.c_str(), 0, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kPromptId, {});
  list_ = AddPart(WC_LISTVIEWW, L"", WS_EX_CLIENTEDGE,
                  LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, kListId, {});
  ok_ = AddPart(L"BUTTON", texts.ok.c_str(), 0, BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, {});
  cancel_ = AddPart(L"BUTTON", texts.cancel.c_str(), 0, BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, {});
  // Thousands of rows go in at once when the list does not redraw (nor set
  // its scroll bars) after each, and its scroll bars suit its final size.
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  Fill(groups);
  LayOut(texts.prompt);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
}

void CheckListDialog::Fill(const std::vector<Group>& groups) {
  ListView_SetExtendedListViewStyle(list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  size_t count = groups.size();
  for (const Group& group : groups) count += group.items.size();
  ListView_SetItemCount(list_, count);
  rows_.reserve(count);
  groupCount_ = groups.size();
  const auto add = [&](const std::wstring& text, Row row, UINT box) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(rows_.size());
    item.pszText = const_cast<wchar_t*>(text.c_str());
    const int index = static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    // The list gives each new row an empty box.
    ListView_SetItemState(list_, index, box, LVIS_STATEIMAGEMASK);
    rows_.push_back(row);
  };
  for (size_t g = 0; g < groups.size(); ++g) {
    add(groups[g].title, {g, kTitle}, kNoBox);
    for (size_t i = 0; i < groups[g].items.size(); ++i) {
      add(groups[g].items[i].text, {g, i}, groups[g].items[i].checked ? kChecked : kUnchecked);
    }
  }
  const auto first = std::find_if(rows_.begin(), rows_.end(), [](const Row& row) { return row.item != kTitle; });
  if (first != rows_.end()) {
    const int index = static_cast<int>(first - rows_.begin());
    ListView_SetItemState(list_, index, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  }
}

void CheckListDialog::LayOut(const std::wstring& prompt) {
  // Dialog units to pixels in the dialog's font.
  const SIZE letters = LetterSize();
  const auto x = [&](int units) { return MulDiv(units, letters.cx, 4); };
  const auto y = [&](int units) { return MulDiv(units, letters.cy, 8); };
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

  ListView_SetColumnWidth(list_, 0, LVSCW_AUTOSIZE);
  const int columnWidth = ListView_GetColumnWidth(list_, 0);
  RECT row{};
  ListView_GetItemRect(list_, 0, &row, LVIR_BOUNDS);
  const int edges = 2 * MetricForDpi(SM_CXEDGE, Dpi());
  const int maxListHeight = static_cast<int>(work.bottom - work.top) * 2 / 3 -
                            y(kMargin + kPromptHeight + kGap + kMargin + kButtonHeight + kMargin);
  int fullHeight = static_cast<int>(rows_.size()) * (row.bottom - row.top) + edges;
  const int scrollBar = fullHeight > maxListHeight ? MetricForDpi(SM_CXVSCROLL, Dpi()) : 0;
  const int wanted =
      std::max({columnWidth + scrollBar + edges,
                static_cast<int>(SendMessageW(list_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(prompt.c_str()))),
                x(kButtonWidth + kGap + kButtonWidth)});
  const int inner = std::min(wanted, static_cast<int>(work.right - work.left) * 9 / 10 - x(2 * kMargin));
  if (inner < wanted) fullHeight += MetricForDpi(SM_CYHSCROLL, Dpi());
  const int listHeight = std::min(fullHeight, maxListHeight);
  // The selection spans the row however narrow its text.
  ListView_SetColumnWidth(list_, 0, std::max(columnWidth, inner - scrollBar - edges));

  const int listTop = y(kMargin + kPromptHeight + kGap);
  const int buttonTop = listTop + listHeight + y(kMargin);
  const int cancelLeft = x(kMargin) + inner - x(kButtonWidth);
  MoveWindow(prompt_, x(kMargin), y(kMargin), inner, y(kPromptHeight), FALSE);
  MoveWindow(list_, x(kMargin), listTop, inner, listHeight, FALSE);
  MoveWindow(ok_, cancelLeft - x(kGap + kButtonWidth), buttonTop, x(kButtonWidth), y(kButtonHeight), FALSE);
  MoveWindow(cancel_, cancelLeft, buttonTop, x(kButtonWidth), y(kButtonHeight), FALSE);
  ResizeFrame(inner + x(2 * kMargin), buttonTop + y(kButtonHeight + kMargin));
}

void CheckListDialog::Accept() {
  checked_.assign(groupCount_, {});
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (ListView_GetItemState(list_, static_cast<int>(i), LVIS_STATEIMAGEMASK) == kChecked) {
      checked_[rows_[i].group].push_back(rows_[i].item);
    }
  }
  End(IDOK);
}

LRESULT CheckListDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_ITEMCHANGING) {
    // Windows gives a row without a box one on Space or a click: a title keeps none.
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
    const bool title =
        change.iItem >= 0 && static_cast<size_t>(change.iItem) < rows_.size() && rows_[change.iItem].item == kTitle;
    return title && (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_STATEIMAGEMASK);
  }
  return ModalDialog::HandleMessage(message, wParam, lParam);
}

}  // namespace win
