#include "runtime/system_library.h"

#include <map>
#include <string>

#include "runtime/handles.h"

namespace rt {

FARPROC SystemProcedure(const char* library, const char* name) {
    static std::map<std::string, Library> loaded;
    Library& module = loaded[library];
    if (!module) module.reset(LoadLibraryA(library));
    return module ? GetProcAddress(module.get(), name) : nullptr;
}

}  // namespace rt
