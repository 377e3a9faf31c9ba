#include "win/Failure.h"

#include "resources/Texts.h"
#include "text/FailureText.h"
#include "win/WideText.h"

namespace win {

std::wstring SystemErrorText(DWORD code) {
  wchar_t* message = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::wstring text = message ? message : L"";
  LocalFree(message);
  return text::Format(FromUtf8(resources::kSystemError), {std::to_wstring(code), text});
}

}  // namespace win
