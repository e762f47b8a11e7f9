#include "shell/store/ProjectArchive.h"

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "shell/store/dTools.h"

namespace {

// Closes a store whichever way the routine leaves.
class CloseOnExit {
public:
    explicit CloseOnExit(dFileArc& store) : store_(store) {}
    ~CloseOnExit() {
        rt::Try([&] { store_.CloseAchive(); });
    }
    CloseOnExit(const CloseOnExit&) = delete;
    CloseOnExit& operator=(const CloseOnExit&) = delete;

private:
    dFileArc& store_;
};

const std::string kError = "error";

}  // namespace

dFileArc& ProjectArchive::Project() {
    if (!project_) project_ = std::make_unique<dFileArc>();
    return *project_;
}

dFileArc& ProjectArchive::Nested() {
    if (!nested_) nested_ = std::make_unique<dFileArc>();
    return *nested_;
}

std::string ProjectArchive::StorePath(const std::string& appFolder) {
    // A folder longer than a drive root gets its separator; a root such as D:\ has one already.
    return dTools::AddBackslash(appFolder) + "quorlin.dat";
}

std::string ProjectArchive::TempFolder() {
    return dTools::AddBackslash(dTools::GetTempFolder()) + "vantrel";
}

void ProjectArchive::LoadArchiveIndex(const std::string& appFolder) {
    dFileArc& store = Project();
    store.Filename(StorePath(appFolder));
    store.OpenAchive();
    CloseOnExit closer(store);
    pacfile_.Clear();
    for (int32_t i = 0; i < store.FileCount(); ++i) {
        std::unique_ptr<cFileInfo> info = store.GetFileInfo(i);
        if (!info) break;  // the entries end before the count says
        const std::string& name = info->Filename();
        pacfile_.AddItem(name);
        if (name.size() >= 3 && name.compare(name.size() - 3, 3, "esr") == 0) pagelast_.AddItem(name);
    }
}

std::string ProjectArchive::pckex(const std::string& flinfo) {
    return Extract(Project(), pacfile_, flinfo, false);
}

std::string ProjectArchive::pckexbut(const std::string& flinfo) {
    return Extract(Nested(), pcfile2_, flinfo, true);
}

std::string ProjectArchive::Extract(dFileArc& store, rt::ListSink& names, const std::string& flinfo,
                                    bool exact) {
    // The project store opens before the search, so that a missing store fails the call. The
    // nested store is searched first: after a failed OpenPictureArchive its list is empty and
    // every name gives "error".
    if (!exact) store.OpenAchive();
    const std::string wanted = exact ? flinfo : rt::UCase(flinfo);
    int index = -1;
    for (int i = 0; i < names.ListCount(); ++i) {
        std::string name = names.List(i);
        if ((exact ? name : rt::UCase(name)) == wanted) {
            index = i;
            break;
        }
    }
    if (index < 0) {
        if (!exact) rt::Try([&] { store.CloseAchive(); });
        return kError;
    }
    if (exact) store.OpenAchive();
    CloseOnExit closer(store);

    std::unique_ptr<cFileInfo> info;
    rt::Try([&] { info = store.GetFileInfo(index); });
    // A name that could leave the temporary folder is never written.
    if (!info || !IsSafeMemberName(info->Filename())) return kError;

    const std::string folder = TempFolder();
    rt::Try([&] {
        if (!rt::IsDirectory(folder)) rt::MkDir(folder);
    });
    const std::string path = dTools::AddBackslash(folder) + info->Filename();
    if (dTools::FileExists(path)) {
        rt::Try([&] { rt::SetAttrNormal(path); });
        rt::Try([&] { rt::Kill(path); });
    }
    // An old copy that is still there would pass for the member.
    if (rt::PathExists(path)) return kError;
    if (!rt::Try([&] { store.ExtractFile(index, path); })) {
        rt::Try([&] {
            if (rt::PathExists(path)) rt::Kill(path);
        });
        return kError;
    }
    return path;
}

void ProjectArchive::OpenPictureArchive(const std::string& path) {
    dFileArc& store = Nested();
    rt::Try([&] { pcfile2_.Clear(); });
    rt::Try([&] {
        store.Filename(path);
        store.OpenAchive();
    });
    for (int32_t i = 0; i < store.FileCount(); ++i) {
        std::unique_ptr<cFileInfo> info;
        rt::Try([&] { info = store.GetFileInfo(i); });
        if (!info) break;
        rt::Try([&] { pcfile2_.AddItem(info->Filename()); });
    }
    rt::Try([&] { store.CloseAchive(); });
}
