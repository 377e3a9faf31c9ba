// The program's own terminate handler, in place of libstdc++'s verbose one.
// That one writes the exception's demangled type to stderr, which a windowed
// program does not have, and brings the demangler and printf with it (about
// 60 KB of the executable). Both end the same way.
#include <cxxabi.h>

#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
