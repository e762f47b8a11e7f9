// Leak counting for tests. The platform's own resource counters answer 0 under the test platform,
// and counting the program's owners cannot see a raw handle that leaks; so this patches the test
// program's imports (the import address table of the executable) of the functions that create and
// delete windows, GDI objects, DCs, icons, menus and files, and keeps the set of live handles
// created since Start. The patches stay for the process; only counting starts and stops.
// Single-threaded use only, one counter at a time.
#pragma once

#include <cstddef>
#include <string>

namespace testsupport {

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
    // GetDC/GetWindowDC/GetDCEx without ReleaseDC (class and own DCs need none), and
    // CreateDC/CreateIC/CreateCompatibleDC without DeleteDC.
    size_t DeviceContexts() const;
    size_t UserObjects() const;  // icons, cursors, menus
    size_t Files() const;        // CreateFile without CloseHandle, fopen without fclose
    size_t Total() const;
    // One line per live handle, for a failure message.
    std::string Report() const;
    // GDI objects and DCs created since Start, deleted or not (shows that the hooks saw the work).
    size_t Created() const;

    // The number of import entries patched (0 means the hooks could not be installed).
    static int PatchedImports();
};

}  // namespace testsupport
