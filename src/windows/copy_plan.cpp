#include "windows/copy_plan.h"

#include <windows.h>

#include <optional>

#include "runtime/convert.h"
#include "runtime/handles.h"

namespace windows {

namespace {

constexpr std::string_view kAllFiles = "\\*.*";

// The size of a found file or of a file's attributes.
template <class Data>
uint64_t SizeOf(const Data& d) {
    return (static_cast<uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

// The full form of a path, without a trailing backslash except at a drive's root.
std::string FullPath(const std::string& path) {
    char full[MAX_PATH * 2] = {};
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    std::string out = (n > 0 && n < sizeof full) ? std::string(full, n) : path;
    while (out.size() > 3 && out.back() == '\\') out.pop_back();
    return out;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> Attributes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return data;
}

bool IsFolder(const std::string& path) {
    auto a = Attributes(path);
    return a && (a->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Names compare without regard to case, as the platform compares them.
bool OnOrInside(const std::string& path, const std::string& folder) {
    const std::string p = rt::UCase(path), f = rt::UCase(folder);
    if (p == f) return true;
    const std::string prefix = f.back() == '\\' ? f : f + "\\";
    return p.compare(0, prefix.size(), prefix) == 0;
}

void AddFile(CopyPlan& plan, const std::string& source, const std::string& target, uint64_t size) {
    plan.files.push_back({source, target, size, Attributes(target).has_value()});
}

// Every file under the folder, at the same place under the target.
void AddTree(CopyPlan& plan, const std::string& folder, const std::string& target) {
    WIN32_FIND_DATAA found{};
    rt::FindHandle find(FindFirstFileA(Join(folder, "*").c_str(), &found));
    if (!find) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string source = Join(folder, name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            AddTree(plan, source, Join(target, name));
        else
            AddFile(plan, source, Join(target, name), SizeOf(found));
    } while (FindNextFileA(find.get(), &found));
}

}  // namespace

CopyPlan PlanCopy(const std::string& from, const std::string& to) {
    CopyPlan plan;
    const std::string target = FullPath(to);
    const bool contents = from.size() >= kAllFiles.size() &&
                          from.compare(from.size() - kAllFiles.size(), kAllFiles.size(), kAllFiles) == 0;
    if (contents) {
        // "X:\*.*" keeps the root's backslash.
        const std::string folder = FullPath(from.substr(0, from.size() - kAllFiles.size() + 1));
        plan.intoItself = OnOrInside(target, folder);
        if (!plan.intoItself) AddTree(plan, folder, target);
        return plan;
    }
    const std::string source = FullPath(from);
    auto attributes = Attributes(source);
    if (!attributes) return plan;  // nothing to copy: the shell reports the failure
    const std::string root = IsFolder(target) ? Join(target, NameOf(source)) : target;
    plan.intoItself = OnOrInside(root, source);
    if (plan.intoItself) return plan;
    if (attributes->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        AddTree(plan, source, root);
    else
        AddFile(plan, source, root, SizeOf(*attributes));
    return plan;
}

bool CopyComplete(const CopyPlan& plan) {
    for (const PlannedFile& f : plan.files) {
        auto a = Attributes(f.target);
        if (!a || (a->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
        if (SizeOf(*a) != f.size) return false;
    }
    return true;
}

void RemovePartialCopies(const CopyPlan& plan) {
    for (const PlannedFile& f : plan.files) {
        if (f.existed) continue;
        auto a = Attributes(f.target);
        if (!a || (a->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (SizeOf(*a) >= f.size) continue;
        // A copy may carry the source's read-only mark.
        SetFileAttributesA(f.target.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(f.target.c_str());
    }
}

}  // namespace windows
