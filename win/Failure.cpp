#include "win/Failure.h"

#include <windows.h>

#include "text/FailureText.h"
#include "text/IntegerText.h"
#include "win/WideText.h"

namespace win {
namespace {

FailureTexts texts;

}  // namespace

void UseFailureTexts(const FailureTexts& given) { texts = given; }

const FailureTexts& Texts() { return texts; }

Failure::Failure(std::wstring text) : text_(std::move(text)), utf8_(ToUtf8(text_)) {}

std::wstring SystemErrorText(unsigned long code) {
  wchar_t* message = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::wstring systemText = message ? message : L"";
  LocalFree(message);
  return text::Format(FromUtf8(texts.systemError),
                      {text::Decimal(code), text::WithoutTrailingBlanksAndDots(std::move(systemText))});
}

}  // namespace win
