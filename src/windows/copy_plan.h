// What a shell copy is expected to write, worked out before the copy, so that afterwards the
// copy-to dialog can tell a complete copy from a partial one and clear up after the latter.
//
// The destination follows the shell's rules: a folder is copied into an existing target folder
// under its own name and into a missing target as the target itself; a folder's contents
// ("folder\*.*") go straight into the target; a file goes into an existing target folder under
// its own name, else it becomes the target.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace windows {

struct PlannedFile {
    std::string source;
    std::string target;
    uint64_t size = 0;     // the source's
    bool existed = false;  // a file was at the target before the copy
};

struct CopyPlan {
    std::vector<PlannedFile> files;
    // The target lies on or inside the source: the copy would copy into itself.
    bool intoItself = false;
};

// from: a file, a folder, or a folder's contents as "folder\*.*"; to: the destination.
CopyPlan PlanCopy(const std::string& from, const std::string& to);

// Every planned file is at its target with its source's size.
bool CopyComplete(const CopyPlan& plan);

// Deletes the targets that the copy created and left shorter than their source. Files that were
// there before are never touched.
void RemovePartialCopies(const CopyPlan& plan);

}  // namespace windows
