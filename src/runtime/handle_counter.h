// Leak counting for tests. The platform's own resource counters answer 0 under some hosts, and
// counting the runtime's wrappers cannot see a raw handle that leaks; so this patches the program's
// imports (the import address table of the executable) of the functions that create and delete
// windows, GDI objects, window DCs, icons, menus and files, and keeps the set of live handles
// created since Start. Single-threaded use only.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace rt {

class HandleCounter {
public:
    HandleCounter();  // installs the hooks (once per process) and starts counting
    ~HandleCounter();
    HandleCounter(const HandleCounter&) = delete;
    HandleCounter& operator=(const HandleCounter&) = delete;

    void Start();  // forgets what was counted so far
    // Handles created since Start, not deleted through the program's imports, and still known to
    // the platform (a child window goes with its parent; a handle given to a picture object is
    // deleted by the platform's picture code).
    size_t Windows() const;
    size_t GdiObjects() const;
    size_t DeviceContexts()
        const;  // GetDC/GetWindowDC without ReleaseDC, CreateDC/CreateCompatibleDC without DeleteDC
    size_t UserObjects() const;  // icons, cursors, menus
    size_t Files() const;        // CreateFile without CloseHandle, fopen without fclose
    size_t Total() const;
    // One line per live handle, for a failure message.
    std::string Report() const;

    // The number of import entries patched (0 means the hooks could not be installed).
    static int PatchedImports();
};

}  // namespace rt
