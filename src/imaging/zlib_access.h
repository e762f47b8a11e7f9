// Finding a zlib library at run time ("zlib1.dll" before "zlib.dll") and calling it with whichever
// calling convention it was built with, and `cCDECL`, which calls any export of a library with
// caller clean-up.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "imaging/zlib_api.h"
#include "runtime/handles.h"

namespace imaging {

// Looks for a zlib library that exports "crc32". LibraryFlag: 2 "zlib1.dll", 1 "zlib.dll", 0 none.
// Unless `checkOnly`, also decides the calling convention by calling crc32 once. The library is
// released again; callers load it by name when they use it.
bool LocateZlib(std::string& libraryName, int32_t& LibraryFlag, bool& isCdecl, bool& hasCompress2,
                bool checkOnly);

// Tests: look for the libraries in this folder only (empty: the system's normal search).
void SetZlibSearchFolder(const std::string& folder);

// Calls crc32(0, buffer, length) at `crc32` and reports whether the callee removed its own
// arguments. Only 32-bit x86 has two conventions; elsewhere the answer is always false.
bool CallerCleansUp(FARPROC crc32);

class cCDECL {
public:
    cCDECL() = default;
    cCDECL(const cCDECL&) = delete;
    cCDECL& operator=(const cCDECL&) = delete;

    // Calls export `sFunction` of the loaded library with up to five pointer-sized arguments and
    // caller clean-up. Raises the errors "DLL not loaded", "Failed to locate function: " & name
    // and "Too many parameters" (source "cCDECL").
    intptr_t CallFunc(const std::string& sFunction, std::initializer_list<intptr_t> ParmLongs);
    bool DllLoad(const std::string& sName);
    bool DllUnload();
    int32_t LastError() const { return lastError_; }
    // The address of this object's callback wrapper, set up for the routine at nModFuncAddr that
    // removes its own nParms 32-bit arguments: a caller that removes the arguments itself can call
    // the routine through it. Each call sets the one wrapper up again. While the routine runs the
    // wrapper keeps its caller's return address, so it must not be entered again before it returned.
    void* WrapCallback(const void* nModFuncAddr, int32_t nParms);

    // How many times an export had to be looked up (tests).
    int Lookups() const { return lookups_; }

private:
    int32_t lastError_ = 0;
    bool newLibrary_ = false;
    HMODULE library_ = nullptr;  // kept for the rest of the process, as the callers expect
    FARPROC function_ = nullptr;
    std::string lastName_;
    int lookups_ = 0;
    rt::VirtualMemory wrapper_;    // executable, made by the first WrapCallback
    uintptr_t wrapperReturn_ = 0;  // the wrapper's kept return address (32-bit x86)
};

// A found zlib library, loaded for as long as this object lives, and its functions.
class ZlibLibrary {
public:
    // Locates and loads zlib; nullptr when there is none.
    static std::unique_ptr<ZlibLibrary> Open();

    const ZlibApi& Api() const { return api_; }
    int32_t LibraryFlag() const { return flag_; }
    bool IsCdecl() const { return cdecl_; }
    const std::string& Name() const { return name_; }

private:
    ZlibLibrary() = default;
    rt::Library module_;
    std::unique_ptr<cCDECL> bridge_;
    ZlibApi api_;
    int32_t flag_ = 0;
    bool cdecl_ = false;
    std::string name_;
};

}  // namespace imaging
