// Counts the COM objects that the program creates with CoCreateInstance while an instance lives,
// by patching the test program's import of it, and tells whether the program released them all:
// the counter keeps one reference of its own to each object and finally releases it, which must
// leave nothing (the object was released by everyone else and goes with that last release).
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

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
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        auto* nt =
            reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name;
             ++imp) {
            if (!imp->OriginalFirstThunk) continue;
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
            auto* iat = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++iat) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
                auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "CoCreateInstance") != 0)
                    continue;
                void** slot = reinterpret_cast<void**>(&iat->u1.Function);
                DWORD old = 0;
                if (!VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old)) return;
                Original() = reinterpret_cast<Create>(*slot);
                *slot = reinterpret_cast<void*>(&Counting);
                VirtualProtect(slot, sizeof(void*), old, &old);
                return;
            }
        }
    }

    std::vector<IUnknown*> objects_;
    size_t created_ = 0;
};

}  // namespace mediatest
