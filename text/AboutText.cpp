#include "text/AboutText.h"

namespace text {
namespace {

template <typename Char>
std::basic_string<Char> Block(std::basic_string_view<Char> caption, std::basic_string_view<Char> message,
                              std::basic_string_view<Char> button) {
  const std::basic_string<Char> newLine{Char('\r'), Char('\n')};
  const std::basic_string<Char> dashes = std::basic_string<Char>(27, Char('-')) + newLine;
  std::basic_string<Char> block = dashes;
  block.append(caption).append(newLine).append(dashes);
  block.append(message).append(newLine).append(dashes);
  block.append(button).append(3, Char(' ')).append(newLine).append(dashes);
  return block;
}

}  // namespace

std::string AboutText(std::string_view title) {
  std::string text(title);
  text += "\n\r\n\r";
  text += "Copyright (C) 2026 the Tamaroo authors";
  text += "\n\r";
  text += "All rights reserved.";
  return text;
}

std::string CopyBlock(std::string_view caption, std::string_view message, std::string_view button) {
  return Block(caption, message, button);
}

std::wstring CopyBlock(std::wstring_view caption, std::wstring_view message, std::wstring_view button) {
  return Block(caption, message, button);
}

}  // namespace text
