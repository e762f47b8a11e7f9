// arcpack: packs files into a project store, lists a store, extracts a store.
//
//   arcpack pack <store> <folder or file>...   a new store with the files (a folder gives all of
//                                              its files, sorted by name), in argument order
//   arcpack list <store>                       one line per member: name, a tab, data length
//   arcpack extract <store> <folder>           every member into the folder (made when missing)
//
// Any failure prints a message and ends with a non-zero exit status.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "runtime/error.h"
#include "runtime/files.h"
#include "shell/store/dFileArc.h"

namespace {

namespace fs = std::filesystem;

struct Failure {
    std::string message;
};

[[noreturn]] void Fail(std::string message) {
    throw Failure{std::move(message)};
}

int Usage() {
    std::fprintf(stderr,
                 "usage: arcpack pack <store> <folder or file>...\n"
                 "       arcpack list <store>\n"
                 "       arcpack extract <store> <folder>\n");
    return 2;
}

std::vector<std::string> SourceFiles(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            std::vector<std::string> inFolder;
            for (const auto& e : fs::directory_iterator(arg, ec))
                if (e.is_regular_file()) inFolder.push_back(e.path().string());
            if (ec) Fail("cannot list folder " + arg + ": " + ec.message());
            std::sort(inFolder.begin(), inFolder.end());
            files.insert(files.end(), inFolder.begin(), inFolder.end());
        } else if (fs::is_regular_file(arg, ec)) {
            files.push_back(arg);
        } else {
            Fail("no such file or folder: " + arg);
        }
    }
    return files;
}

void Pack(const std::string& storePath, const std::vector<std::string>& args) {
    std::vector<std::string> files = SourceFiles(args);
    std::set<std::string> names;
    for (const std::string& f : files) {
        std::string name = dFileArc::FileNameOnly(f);
        if (!IsSafeMemberName(name)) Fail("not a usable member name: " + f);
        if (!names.insert(name).second) Fail("two members would be named " + name);
        if (fs::weakly_canonical(f) == fs::weakly_canonical(storePath))
            Fail("the store cannot pack itself: " + f);
    }
    try {
        dFileArc store;
        store.Filename(storePath);
        try {
            store.CreateAchive();
        } catch (const rt::RuntimeError& e) {
            Fail("cannot create " + storePath + ": " + e.Description());
        }
        for (const std::string& f : files) {
            try {
                store.AddFile(f);
            } catch (const rt::RuntimeError& e) {
                Fail("cannot add " + f + ": " + e.Description());
            }
        }
        store.UpDateHeader();
        store.CloseAchive();
    } catch (...) {
        // No half-written store is left to pass for a good one.
        std::error_code ec;
        fs::remove(storePath, ec);
        throw;
    }
}

// Opens a store and checks that its entries are all there.
int32_t OpenChecked(dFileArc& store, const std::string& storePath) {
    store.Filename(storePath);
    try {
        store.OpenAchive();
    } catch (const rt::RuntimeError& e) {
        Fail("cannot open " + storePath + ": " + e.Description());
    }
    if (store.Signature() != "Arc")
        std::fprintf(stderr, "arcpack: %s: signature is not \"Arc\"\n", storePath.c_str());
    return store.FileCount();
}

void CheckComplete(int32_t found, int32_t count, const std::string& storePath) {
    if (found < count)
        Fail(storePath + ": the store ends after " + std::to_string(found) + " of " + std::to_string(count) +
             " members");
}

void List(const std::string& storePath) {
    dFileArc store;
    int32_t count = OpenChecked(store, storePath);
    int32_t i = 0;
    for (; i < count; ++i) {
        std::unique_ptr<cFileInfo> info = store.GetFileInfo(i);
        if (!info) break;
        std::printf("%s\t%s\n", info->Filename().c_str(), info->FileLength().c_str());
    }
    CheckComplete(i, count, storePath);
}

void Extract(const std::string& storePath, const std::string& folder) {
    dFileArc store;
    int32_t count = OpenChecked(store, storePath);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder)) Fail("cannot make folder " + folder);
    std::string base = folder;
    if (base.back() != '/') base += '/';
    int32_t i = 0;
    for (; i < count; ++i) {
        std::unique_ptr<cFileInfo> info = store.GetFileInfo(i);
        if (!info) break;
        const std::string& name = info->Filename();
        if (!IsSafeMemberName(name)) Fail("member " + std::to_string(i) + " has an unsafe name");
        std::string path = base + name;
        try {
            if (info->Length() == 0)
                rt::WriteAllBytes(path, {});  // the store's own extraction writes nothing here
            else
                store.ExtractFile(i, path);
        } catch (const rt::RuntimeError& e) {
            Fail("cannot write " + path + ": " + e.Description());
        }
    }
    CheckComplete(i, count, storePath);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    try {
        const std::string& command = args[0];
        if (command == "pack" && args.size() >= 3) {
            Pack(args[1], std::vector<std::string>(args.begin() + 2, args.end()));
        } else if (command == "list" && args.size() == 2) {
            List(args[1]);
        } else if (command == "extract" && args.size() == 3) {
            Extract(args[1], args[2]);
        } else {
            return Usage();
        }
    } catch (const Failure& f) {
        std::fprintf(stderr, "arcpack: %s\n", f.message.c_str());
        return 1;
    } catch (const rt::RuntimeError& e) {
        std::fprintf(stderr, "arcpack: %s (error %d)\n", e.Description().c_str(),
                     static_cast<int>(e.Number()));
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "arcpack: %s\n", e.what());
        return 1;
    }
    return 0;
}
