// Functions of the system libraries that few runs need (printing, sounds, the shell), looked up
// on their first call instead of imported: a start that uses none of them does not load those
// libraries and what they bring along, which costs every start a few milliseconds. A library,
// once loaded, stays for the rest of the run.
#pragma once

#include <windows.h>

namespace rt {

// The function, or null when the library or the function is missing.
FARPROC SystemProcedure(const char* library, const char* name);

template <class F>
F* SystemFunction(const char* library, const char* name) {
    return reinterpret_cast<F*>(SystemProcedure(library, name));
}

}  // namespace rt
