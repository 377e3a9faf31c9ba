#pragma once
// A failure the user is told about: its text goes into the failure box.
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

}  // namespace win
