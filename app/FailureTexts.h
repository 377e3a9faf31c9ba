#pragma once
// The window layer's failure texts, in the program's words.
#include "resources/Texts.h"
#include "win/Failure.h"

namespace app {

inline constexpr win::FailureTexts kFailureTexts{
    .cannotOpenFile = resources::kCannotOpenFile,
    .streamReadError = resources::kStreamReadError,
    .invalidBitmap = resources::kInvalidBitmap,
    .systemError = resources::kSystemError,
    .cannotCreateWindow = resources::kCannotCreateWindow,
    .cannotOpenClipboard = resources::kCannotOpenClipboard,
    .unexpected = resources::kUnexpectedError,
};

}  // namespace app
