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

// The failure text for a system error code, with the system's own text for it.
std::wstring SystemErrorText(unsigned long code);

}  // namespace win
