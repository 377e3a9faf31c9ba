#pragma once
// A failure the user is told about: its text goes into the failure box.
#include <windows.h>

#include <exception>
#include <string>

namespace win {

class Failure : public std::exception {
 public:
  explicit Failure(std::wstring text);
  const std::wstring& Text() const noexcept { return text_; }
  // The text in UTF-8, as library failures carry theirs.
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::wstring text_;
  std::string utf8_;
};

// The failure texts of this layer, in UTF-8, handed in by the program; "%s"
// and "%d" are filled in as text::Format does.
struct FailureTexts {
  const char8_t* cannotOpenFile = u8"";  // %s: the file
  const char8_t* streamReadError = u8"";
  const char8_t* invalidBitmap = u8"";
  const char8_t* systemError = u8"";  // %d: the code, %s: the system's text for it
  const char8_t* cannotCreateWindow = u8"";
  const char8_t* cannotOpenClipboard = u8"";
  const char8_t* unexpected = u8"";  // a failure that carries no text of its own
};

// Call before any window is made; the strings must live as long as the program.
void UseFailureTexts(const FailureTexts& texts);
// The texts handed in; empty ones before that.
const FailureTexts& Texts();

// The failure text for a system error code, with the system's own text for it.
std::wstring SystemErrorText(unsigned long code);

}  // namespace win
