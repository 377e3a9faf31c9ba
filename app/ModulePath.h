#pragma once
#include <string>

namespace app {

// The executable's folder, ending with its '\' (ANSI bytes).
std::string ExecutableFolder();

}  // namespace app
