#include "runtime/system_library.h"

#include <map>
#include <string>

#include "runtime/handles.h"

namespace rt {

FARPROC SystemProcedure(const char* library, const char* name) {
    static std::map<std::string, Library> loaded;
    Library& module = loaded[library];
    if (!module) {
        module.reset(LoadLibraryA(library));
        // Pinned: a window destroyed during the exit may call in after this map is gone.
        HMODULE pinned = nullptr;
        if (module) GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, library, &pinned);
    }
    return module ? GetProcAddress(module.get(), name) : nullptr;
}

}  // namespace rt
