// std::terminate's default handler writes the exception's demangled type to the standard error,
// which this windowed program does not have, then aborts. This one aborts the same way without
// linking the demangler into the exe.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
