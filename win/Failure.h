#pragma once
// A failure the user is told about: its text goes into the failure box.
#include <windows.h>

#include <exception>
#include <string>

namespace win {

class Failure : public std::exception {
 public:
  explicit Failure(std::wstring text) : text_(std::move(text)) {}
  const std::wstring& Text() const noexcept { return text_; }
  const char* what() const noexcept override { return "Tamaroo failure"; }

 private:
  std::wstring text_;
};

// The text of a failed system call: its error code and the system's message.
std::wstring SystemErrorText(DWORD code);

}  // namespace win
