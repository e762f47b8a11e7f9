// Counts the COM objects that the program creates with CoCreateInstance while an instance lives,
// by patching the test program's import of it, and tells whether the program released them all:
// the counter keeps one reference of its own to each object and finally releases it, which must
// leave nothing (the object was released by everyone else and goes with that last release).
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <vector>

#include "support/import_patch.h"

namespace mediatest {

class ComCreations {
public:
    ComCreations() {
        Patch();
        Current() = this;
    }
    ~ComCreations() {
        Current() = nullptr;
        StillHeld();
    }
    ComCreations(const ComCreations&) = delete;
    ComCreations& operator=(const ComCreations&) = delete;

    size_t Created() const { return created_; }
    // Releases this counter's own references, oldest object first (a graph before the filters it
    // holds); answers how many objects were still referenced by someone else.
    size_t StillHeld() {
        size_t held = 0;
        for (IUnknown* o : objects_)
            if (o->Release() != 0) ++held;
        objects_.clear();
        return held;
    }

private:
    using Create = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

    static ComCreations*& Current() {
        static ComCreations* current = nullptr;
        return current;
    }
    static Create& Original() {
        static Create original = nullptr;
        return original;
    }
    static HRESULT WINAPI Counting(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* out) {
        const HRESULT hr = Original()(clsid, outer, context, iid, out);
        if (SUCCEEDED(hr) && out && *out && Current()) {
            auto* unknown = static_cast<IUnknown*>(*out);
            unknown->AddRef();
            Current()->objects_.push_back(unknown);
            ++Current()->created_;
        }
        return hr;
    }
    static void Patch() {
        if (Original()) return;
        void* original = nullptr;
        testsupport::RedirectImport("CoCreateInstance", reinterpret_cast<void*>(&Counting), &original);
        Original() = reinterpret_cast<Create>(original);
    }

    std::vector<IUnknown*> objects_;
    size_t created_ = 0;
};

}  // namespace mediatest
