#include "imaging/zlib_access.h"

#include <cstring>
#include <vector>

#include "runtime/error.h"

namespace imaging {

namespace {

std::string& SearchFolder() {
    static std::string folder;
    return folder;
}

HMODULE LoadZlib(const std::string& name) {
    const std::string& folder = SearchFolder();
    if (folder.empty()) return LoadLibraryA(name.c_str());
    std::string path = folder;
    if (path.back() != '\\' && path.back() != '/') path += '\\';
    path += name;
    // Only this folder: a missing file must not be answered by a library of that name elsewhere.
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

void SetZlibSearchFolder(const std::string& folder) { SearchFolder() = folder; }

#if defined(__i386__) || defined(_M_IX86)
bool CallerCleansUp(FARPROC crc32) {
    static const unsigned char probe[4] = {'z', 'l', 'i', 'b'};
    const void* buffer = probe;
    unsigned length = sizeof probe;
    unsigned left;
    // Push the three arguments, call, and measure what is still on the stack: 12 bytes for a
    // caller-clean-up function, 0 when the function removed them itself.
    __asm__ volatile(
        "movl %%esp, %%esi\n\t"
        "pushl %[len]\n\t"
        "pushl %[buf]\n\t"
        "pushl $0\n\t"
        "call *%[fn]\n\t"
        "movl %%esi, %%eax\n\t"
        "subl %%esp, %%eax\n\t"
        "movl %%esi, %%esp\n\t"
        : "=a"(left)
        : [fn] "b"(crc32), [buf] "D"(buffer), [len] "m"(length)
        : "ecx", "edx", "esi", "memory", "cc");
    return left != 0;
}
#else
bool CallerCleansUp(FARPROC) { return false; }
#endif

bool LocateZlib(std::string& libraryName, int32_t& LibraryFlag, bool& isCdecl, bool& hasCompress2,
                bool checkOnly) {
    libraryName = "zlib1.dll";
    LibraryFlag = 2;
    hasCompress2 = false;
    while (LibraryFlag > 0) {
        rt::Library module(LoadZlib(libraryName));
        if (module) {
            hasCompress2 = GetProcAddress(module.get(), "compress2") != nullptr;
            FARPROC crc = GetProcAddress(module.get(), "crc32");
            if (crc) {
                if (!checkOnly) isCdecl = CallerCleansUp(crc);
                break;
            }
            hasCompress2 = false;
        }
        libraryName = "zlib.dll";
        --LibraryFlag;
    }
    if (LibraryFlag == 0) libraryName.clear();
    return LibraryFlag != 0;
}

bool cCDECL::DllLoad(const std::string& sName) {
    HMODULE h = LoadZlib(sName);
    if (!h) return false;
    library_ = h;
    newLibrary_ = true;
    return true;
}

bool cCDECL::DllUnload() {
    if (!library_) return false;
    const bool ok = FreeLibrary(library_) != 0;
    library_ = nullptr;
    return ok;
}

intptr_t cCDECL::CallFunc(const std::string& sFunction, std::initializer_list<intptr_t> ParmLongs) {
    if (!library_) rt::Raise(static_cast<int32_t>(0x80040000u), "cCDECL", "DLL not loaded");
    if (sFunction != lastName_ || newLibrary_ || !function_) {
        FARPROC f = GetProcAddress(library_, sFunction.c_str());
        ++lookups_;
        if (!f) rt::Raise(static_cast<int32_t>(0x80040001u), "cCDECL", "Failed to locate function: " + sFunction);
        function_ = f;
        newLibrary_ = false;
        lastName_ = sFunction;
    }
    if (ParmLongs.size() > 5) rt::Raise(static_cast<int32_t>(0x80040002u), "cCDECL", "Too many parameters");
    intptr_t a[5] = {0, 0, 0, 0, 0};
    size_t i = 0;
    for (intptr_t v : ParmLongs) a[i++] = v;
    // Caller clean-up makes the unused trailing arguments harmless.
    using Fn = intptr_t(__cdecl*)(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t);
    SetLastError(0);
    const intptr_t result = reinterpret_cast<Fn>(function_)(a[0], a[1], a[2], a[3], a[4]);
    lastError_ = static_cast<int32_t>(GetLastError());
    return result;
}

namespace {

constexpr size_t kWrapperBytes = 24;

template <class T>
void Put(std::vector<uint8_t>& code, size_t at, T value) {
    std::memcpy(code.data() + at, &value, sizeof value);
}

// The wrapper's code for the routine at `routine`, when it lies at `at`.
std::vector<uint8_t> WrapperCode(const uint8_t* at, const void* routine, int32_t nParms,
                                 uintptr_t* keptReturn) {
#if defined(__i386__) || defined(_M_IX86)
    std::vector<uint8_t> code = {
        0x58,                    // pop eax: the caller's return address
        0xA3, 0,    0, 0, 0,     // mov [keptReturn], eax
        0xE8, 0,    0, 0, 0,     // call routine, which removes its arguments
        0x81, 0xEC, 0, 0, 0, 0,  // sub esp, nParms * 4: back where the caller left it
        0xFF, 0x35, 0, 0, 0, 0,  // push dword [keptReturn]
        0xC3,                    // ret
    };
    Put(code, 2, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(keptReturn)));
    Put(code, 7,
        static_cast<int32_t>(reinterpret_cast<intptr_t>(routine) - reinterpret_cast<intptr_t>(at + 11)));
    Put(code, 13, static_cast<uint32_t>(nParms) * 4u);
    Put(code, 19, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(keptReturn)));
#else
    // One calling convention, in which the caller always removes the arguments: the wrapper only
    // passes the call on, registers and stack untouched.
    (void)at;
    (void)nParms;
    (void)keptReturn;
    std::vector<uint8_t> code = {0xFF, 0x25, 0, 0, 0, 0};  // jmp qword [rip]: the address follows
    code.resize(14);
    Put(code, 6, reinterpret_cast<uint64_t>(routine));
#endif
    return code;
}

}  // namespace

void* cCDECL::WrapCallback(const void* nModFuncAddr, int32_t nParms) {
    if (!wrapper_) {
        wrapper_.reset(VirtualAlloc(nullptr, kWrapperBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!wrapper_) rt::Raise(rt::errOutOfMemory, "cCDECL");
    }
    auto* at = static_cast<uint8_t*>(wrapper_.get());
    const std::vector<uint8_t> code = WrapperCode(at, nModFuncAddr, nParms, &wrapperReturn_);
    // Writable only while it is patched, executable afterwards.
    DWORD old = 0;
    VirtualProtect(at, kWrapperBytes, PAGE_READWRITE, &old);
    std::memcpy(at, code.data(), code.size());
    VirtualProtect(at, kWrapperBytes, PAGE_EXECUTE_READ, &old);
    FlushInstructionCache(GetCurrentProcess(), at, kWrapperBytes);
    return at;
}

std::unique_ptr<ZlibLibrary> ZlibLibrary::Open() {
    std::string name;
    int32_t flag = 0;
    bool isCdecl = false, compress2 = false;
    if (!LocateZlib(name, flag, isCdecl, compress2, false)) return nullptr;
    std::unique_ptr<ZlibLibrary> lib(new ZlibLibrary());
    lib->module_.reset(LoadZlib(name));
    if (!lib->module_) return nullptr;
    lib->flag_ = flag;
    lib->cdecl_ = isCdecl;
    lib->name_ = name;
    ZlibApi& api = lib->api_;
    HMODULE m = lib->module_.get();
    if (isCdecl) {
        lib->bridge_ = std::make_unique<cCDECL>();
        if (!lib->bridge_->DllLoad(name)) return nullptr;
        cCDECL* bridge = lib->bridge_.get();
        auto p = [](const void* v) { return reinterpret_cast<intptr_t>(v); };
        api.crc32 = [bridge, p](uint32_t crc, const uint8_t* data, uint32_t length) {
            return static_cast<uint32_t>(bridge->CallFunc("crc32", {static_cast<intptr_t>(crc), p(data), static_cast<intptr_t>(length)}));
        };
        api.uncompress = [bridge, p](uint8_t* dest, uint32_t* destLength, const uint8_t* src, uint32_t srcLength) {
            return static_cast<int32_t>(bridge->CallFunc("uncompress", {p(dest), p(destLength), p(src), static_cast<intptr_t>(srcLength)}));
        };
        api.compress = [bridge, p](uint8_t* dest, uint32_t* destLength, const uint8_t* src, uint32_t srcLength) {
            return static_cast<int32_t>(bridge->CallFunc("compress", {p(dest), p(destLength), p(src), static_cast<intptr_t>(srcLength)}));
        };
        if (compress2)
            api.compress2 = [bridge, p](uint8_t* dest, uint32_t* destLength, const uint8_t* src, uint32_t srcLength,
                                        int32_t level) {
                return static_cast<int32_t>(
                    bridge->CallFunc("compress2", {p(dest), p(destLength), p(src), static_cast<intptr_t>(srcLength), level}));
            };
        return lib;
    }
    // The library's own convention (the only one off 32-bit x86; stdcall there).
    using Crc32Fn = unsigned long(WINAPI*)(unsigned long, const uint8_t*, unsigned);
    using CompressFn = int(WINAPI*)(uint8_t*, unsigned long*, const uint8_t*, unsigned long);
    using Compress2Fn = int(WINAPI*)(uint8_t*, unsigned long*, const uint8_t*, unsigned long, int);
    auto crc = reinterpret_cast<Crc32Fn>(GetProcAddress(m, "crc32"));
    auto unc = reinterpret_cast<CompressFn>(GetProcAddress(m, "uncompress"));
    auto cmp = reinterpret_cast<CompressFn>(GetProcAddress(m, "compress"));
    auto cmp2 = reinterpret_cast<Compress2Fn>(GetProcAddress(m, "compress2"));
    static_assert(sizeof(unsigned long) == sizeof(uint32_t), "zlib's uLong is 32 bits on Windows");
    if (!crc) return nullptr;
    api.crc32 = [crc](uint32_t c, const uint8_t* data, uint32_t length) {
        return static_cast<uint32_t>(crc(c, data, length));
    };
    // A missing export fails at the call, like an import of a function the library lacks.
    auto missing = [](const char* name) { rt::Raise(453, "zlib", std::string("Can't find DLL entry point ") + name); };
    api.uncompress = [unc, missing](uint8_t* d, uint32_t* dl, const uint8_t* s, uint32_t sl) -> int32_t {
        if (!unc) missing("uncompress");
        return unc(d, reinterpret_cast<unsigned long*>(dl), s, sl);
    };
    api.compress = [cmp, missing](uint8_t* d, uint32_t* dl, const uint8_t* s, uint32_t sl) -> int32_t {
        if (!cmp) missing("compress");
        return cmp(d, reinterpret_cast<unsigned long*>(dl), s, sl);
    };
    if (cmp2)
        api.compress2 = [cmp2](uint8_t* d, uint32_t* dl, const uint8_t* s, uint32_t sl, int32_t level) -> int32_t {
            return cmp2(d, reinterpret_cast<unsigned long*>(dl), s, sl, level);
        };
    return lib;
}

}  // namespace imaging
