#include "win/FileDialog.h"

#include <commdlg.h>

#include "win/FailureBox.h"

namespace win {

std::wstring ChooseFile(HWND owner, bool save, const std::wstring& caption, const std::wstring& masks,
                        const std::wstring& proposed, const wchar_t* extension) {
  const std::wstring filter = caption + L'\0' + masks + L'\0';
  std::wstring name(32768, L'\0');
  if (save) name.replace(0, proposed.size(), proposed);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrDefExt = extension;
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                 (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
  const ModalScope modal;
  if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return {};
  name.resize(name.find(L'\0'));
  return name;
}

}  // namespace win
