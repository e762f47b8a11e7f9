// Counts the GDI objects and device contexts that the test program creates and frees, by
// patching the program's own import address table entries of gdi32 and user32 while an instance
// lives. Sees raw handles that no wrapper knows of; the platform's resource counter cannot be
// used here (it always answers 0 under the test platform). One instance at a time.
#pragma once

#include <cstddef>

namespace testsupport {

class GdiCounter {
public:
    GdiCounter();   // patches the imports; counting starts empty
    ~GdiCounter();  // puts the original entries back
    GdiCounter(const GdiCounter&) = delete;
    GdiCounter& operator=(const GdiCounter&) = delete;

    // GDI objects (DCs from the Create* functions included) created since construction and not
    // deleted yet.
    std::size_t LiveObjects() const;
    // Creations seen since construction (a sanity check that the patch took hold).
    std::size_t Created() const;
    // Window and screen DCs obtained with GetDC/GetWindowDC/GetDCEx and not released.
    std::size_t HeldDCs() const;
    // Number of import entries that were patched.
    std::size_t Patched() const;
};

}  // namespace testsupport
