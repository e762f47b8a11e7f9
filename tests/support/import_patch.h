// Redirects the test program's own imports: entries of the executable's import address table,
// so that the program's calls of a system function reach a test's replacement first.
#pragma once

#include <windows.h>

#include <cstring>

namespace testsupport {

// Points every import entry of the function named at replacement; the entry's previous target
// goes to *original unless that is set already. Answers how many entries were redirected.
inline int RedirectImport(const char* name, void* replacement, void** original) {
    int redirected = 0;
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return 0;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name;
         ++imp) {
        if (!imp->OriginalFirstThunk) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* iat = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++iat) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(name, reinterpret_cast<const char*>(byName->Name)) != 0) continue;
            void** slot = reinterpret_cast<void**>(&iat->u1.Function);
            DWORD old = 0;
            if (!VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old)) continue;
            if (!*original) *original = *slot;
            *slot = replacement;
            VirtualProtect(slot, sizeof(void*), old, &old);
            ++redirected;
        }
    }
    return redirected;
}

}  // namespace testsupport
