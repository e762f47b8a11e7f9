#include "sampler.h"

#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

namespace bench {

Sampler::Sampler(DWORD threadId) {
    thread_ =
        OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE, threadId);
}

Sampler::~Sampler() {
    Stop();
    if (thread_) CloseHandle(thread_);
}

void Sampler::Start() {
    if (!thread_ || running_) return;
    running_ = true;
    worker_ = CreateThread(nullptr, 0, &Sampler::Run, this, 0, nullptr);
}

void Sampler::Stop() {
    if (!worker_) return;
    running_ = false;
    WaitForSingleObject(worker_, INFINITE);
    CloseHandle(worker_);
    worker_ = nullptr;
}

namespace {

#ifdef _WIN64
// The loaded modules' function tables, read while the sampled thread runs: while it is stopped it may
// hold the heap or loader lock, so the walk itself allocates nothing and takes no lock.
struct ModuleTable {
    DWORD64 base = 0, end = 0;
    const RUNTIME_FUNCTION* functions = nullptr;
    size_t count = 0;
};

std::vector<ModuleTable> ReadModules() {
    std::vector<ModuleTable> tables;
    HMODULE modules[512];
    DWORD needed = 0;
    if (!K32EnumProcessModules(GetCurrentProcess(), modules, sizeof modules, &needed)) return tables;
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 512; ++i) {
        auto* base = reinterpret_cast<const BYTE*>(modules[i]);
        auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXCEPTION];
        ModuleTable t;
        t.base = reinterpret_cast<DWORD64>(base);
        t.end = t.base + nt->OptionalHeader.SizeOfImage;
        t.functions = reinterpret_cast<const RUNTIME_FUNCTION*>(base + dir.VirtualAddress);
        t.count = dir.VirtualAddress ? dir.Size / sizeof(RUNTIME_FUNCTION) : 0;
        tables.push_back(t);
    }
    return tables;
}

const RUNTIME_FUNCTION* Lookup(const std::vector<ModuleTable>& tables, DWORD64 pc, DWORD64& base) {
    for (const ModuleTable& t : tables) {
        if (pc < t.base || pc >= t.end) continue;
        base = t.base;
        const DWORD rva = static_cast<DWORD>(pc - t.base);
        size_t lo = 0, hi = t.count;
        while (lo < hi) {
            size_t mid = (lo + hi) / 2;
            if (rva < t.functions[mid].BeginAddress)
                hi = mid;
            else if (rva >= t.functions[mid].EndAddress)
                lo = mid + 1;
            else
                return &t.functions[mid];
        }
        return nullptr;
    }
    base = 0;
    return nullptr;
}
#endif

}  // namespace

DWORD WINAPI Sampler::Run(void* p) {
    auto* self = static_cast<Sampler*>(p);
#ifdef _WIN64
    std::vector<ModuleTable> tables = ReadModules();
    DWORD lastRead = GetTickCount();
    DWORD64 stack[96];
    while (self->running_) {
        Sleep(1);
        if (GetTickCount() - lastRead > 200) {
            tables = ReadModules();
            lastRead = GetTickCount();
        }
        if (SuspendThread(self->thread_) == static_cast<DWORD>(-1)) continue;
        CONTEXT context{};
        context.ContextFlags = CONTEXT_FULL;
        size_t depth = 0;
        if (GetThreadContext(self->thread_, &context)) {
            MEMORY_BASIC_INFORMATION region{};
            VirtualQuery(reinterpret_cast<void*>(context.Rsp), &region, sizeof region);
            const DWORD64 low = reinterpret_cast<DWORD64>(region.AllocationBase);
            const DWORD64 high = reinterpret_cast<DWORD64>(region.BaseAddress) + region.RegionSize;
            while (depth < 96 && context.Rip) {
                stack[depth++] = context.Rip;
                if (context.Rsp < low || context.Rsp + 8 > high) break;
                DWORD64 base = 0;
                const RUNTIME_FUNCTION* entry = Lookup(tables, context.Rip, base);
                if (!entry) {
                    if (!base) break;  // code outside every known module: the walk would guess
                    context.Rip = *reinterpret_cast<DWORD64*>(context.Rsp);
                    context.Rsp += 8;
                    continue;
                }
                void* handlerData = nullptr;
                DWORD64 frame = 0;
                RtlVirtualUnwind(UNW_FLAG_NHANDLER, base, context.Rip, const_cast<RUNTIME_FUNCTION*>(entry),
                                 &context, &handlerData, &frame, nullptr);
            }
        }
        ResumeThread(self->thread_);
        if (depth) self->stacks_.emplace_back(stack, stack + depth);
    }
#else
    (void)self;
#endif
    return 0;
}

namespace {

// The program's own functions, from "nm" output (address, type, name) named by VANTREL_BENCH_SYMS.
std::map<DWORD64, std::string> ProgramSymbols(DWORD64 imageBase) {
    std::map<DWORD64, std::string> symbols;
    const char* path = std::getenv("VANTREL_BENCH_SYMS");
    if (!path) return symbols;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (!(fields >> address >> type) || (type != "T" && type != "t")) continue;
        std::getline(fields, name);
        symbols[std::strtoull(address.c_str(), nullptr, 16) - 0x140000000ull + imageBase] = name.substr(1);
    }
    return symbols;
}

std::string ModuleName(HMODULE module) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, MAX_PATH);
    std::string name = path;
    size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// The nearest export at or below the address, for system libraries.
std::string NearestExport(HMODULE module, DWORD64 address) {
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (!dir.VirtualAddress) return "?";
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto* functions = reinterpret_cast<const DWORD*>(base + exports->AddressOfFunctions);
    auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    const DWORD rva = static_cast<DWORD>(address - reinterpret_cast<DWORD64>(base));
    DWORD best = 0;
    std::string bestName = "?";
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        DWORD f = functions[ordinals[i]];
        if (f <= rva && f >= best) {
            best = f;
            bestName = reinterpret_cast<const char*>(base + names[i]);
        }
    }
    char off[32];
    std::snprintf(off, sizeof off, "+0x%lx", static_cast<unsigned long>(rva - best));
    return bestName + off;
}

}  // namespace

void Sampler::Report(std::FILE* out, size_t top) const {
    HMODULE self = GetModuleHandleA(nullptr);
    const std::map<DWORD64, std::string> symbols = ProgramSymbols(reinterpret_cast<DWORD64>(self));
    std::map<DWORD64, std::string> names;
    auto name = [&](DWORD64 address) -> const std::string& {
        auto found = names.find(address);
        if (found != names.end()) return found->second;
        HMODULE module = nullptr;
        std::string text = "?";
        if (GetModuleHandleExA(
                GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                reinterpret_cast<LPCSTR>(address), &module)) {
            if (module == self && !symbols.empty()) {
                auto it = symbols.upper_bound(address);
                text = it == symbols.begin() ? "?" : std::prev(it)->second;
            } else if (module == self) {
                char buf[32];
                std::snprintf(buf, sizeof buf, "exe+0x%llx",
                              static_cast<unsigned long long>(address - reinterpret_cast<DWORD64>(self)));
                text = buf;
            } else {
                text = ModuleName(module) + "!" + NearestExport(module, address);
                // Within one system function, offsets differ per call site: keep the function.
                size_t plus = text.rfind('+');
                if (plus != std::string::npos) text.resize(plus);
            }
        }
        return names.emplace(address, text).first->second;
    };
    std::map<std::string, std::pair<size_t, size_t>> counts;
    for (const auto& stack : stacks_) {
        std::set<std::string> seen;
        for (size_t i = 0; i < stack.size(); ++i) {
            const std::string& n = name(stack[i]);
            if (seen.insert(n).second) ++counts[n].first;
            if (i == 0) ++counts[n].second;
        }
    }
    std::vector<std::pair<std::string, std::pair<size_t, size_t>>> rows(counts.begin(), counts.end());
    std::sort(rows.begin(), rows.end(), [](auto& a, auto& b) { return a.second.first > b.second.first; });
    const double total = static_cast<double>(std::max<size_t>(1, stacks_.size()));
    std::fprintf(out, "%zu samples\n  incl%%  excl%%  function\n", stacks_.size());
    for (size_t i = 0; i < rows.size() && i < top; ++i)
        std::fprintf(out, "%6.1f %6.1f  %s\n", 100.0 * rows[i].second.first / total,
                     100.0 * rows[i].second.second / total, rows[i].first.substr(0, 150).c_str());
}

}  // namespace bench
