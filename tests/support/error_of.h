#pragma once

#include "runtime/error.h"

namespace testsupport {

// The run-time error number that f raises, 0 when it raises none.
template <class F>
int ErrorOf(F&& f) {
    try {
        f();
    } catch (const rt::RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace testsupport
