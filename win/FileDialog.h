#pragma once
// The system's Open and Save dialogs, modal over the program's windows.
#include <windows.h>

#include <string>

namespace win {

// The file chosen; empty when the dialog was cancelled. The one filter is
// `caption` with its `masks` ("*.html;*.htm"); a save proposes `proposed`
// and asks before it replaces a file.
std::wstring ChooseFile(HWND owner, bool save, const std::wstring& caption, const std::wstring& masks,
                        const std::wstring& proposed, const wchar_t* extension);

}  // namespace win
