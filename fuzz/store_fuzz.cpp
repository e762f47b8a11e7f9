// The project store on any bytes: the index walk, the copies into the temporary folder, the nested
// store of a member, the extraction of every member and the deletion of a member. Every copy must
// hold its member's bytes as an independent walk of the store finds them, and nothing may appear
// outside the temporary folder, the extraction folder and the store's own folder.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/list_sink.h"
#include "shell/store/ProjectArchive.h"
#include "shell/store/dFileArc.h"

namespace {

namespace fs = std::filesystem;
using fuzz::Check;

// At most this many members are copied per store, so that long indexes stay fast.
constexpr size_t kMaxCopies = 24;

struct Member {
    std::string name;
    std::string data;
};

// The entries as the format describes them, walked without the store class.
std::vector<Member> Walk(const std::string& s) {
    auto byte = [&](size_t i) { return i < s.size() ? static_cast<uint8_t>(s[i]) : 0u; };
    auto le32 = [&](size_t i) {
        return static_cast<int32_t>(byte(i) | byte(i + 1) << 8 | byte(i + 2) << 16 |
                                    static_cast<uint32_t>(byte(i + 3)) << 24);
    };
    const int32_t count = le32(4);
    const int16_t start = static_cast<int16_t>(byte(8) | byte(9) << 8);
    std::vector<Member> members;
    if (start < 1) return members;
    size_t pos = static_cast<size_t>(start) - 1;
    for (int32_t k = 0; k < count; ++k) {
        if (pos + 2 > s.size()) break;
        const int16_t nameLength = static_cast<int16_t>(byte(pos) | byte(pos + 1) << 8);
        pos += 2;
        if (nameLength < 0 || nameLength > 259 || pos + static_cast<size_t>(nameLength) > s.size()) break;
        std::string name = s.substr(pos, static_cast<size_t>(nameLength));
        pos += static_cast<size_t>(nameLength);
        if (pos + 4 > s.size()) break;
        const int32_t length = le32(pos);
        pos += 4;
        if (length < 0 || pos + static_cast<size_t>(length) > s.size()) break;
        members.push_back({std::move(name), s.substr(pos, static_cast<size_t>(length))});
        pos += static_cast<size_t>(length);
    }
    return members;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// A member name the platform can make into a file here.
bool Writable(const std::string& name) {
    return IsSafeMemberName(name) && name.size() <= 255;
}

class Place {
public:
    Place() : work_("store-fuzz"), root(work_.Path()) {
        app = root + "/app";
        temp = root + "/temp";
        all = root + "/all/";
        fs::create_directories(app);
        fs::create_directories(temp);
        fs::create_directories(all);
        // The copies go to <TMPDIR>/vantrel.
        setenv("TMPDIR", temp.c_str(), 1);
        store = app + "/quorlin.dat";
        copies = ProjectArchive::TempFolder();
        Check(copies == temp + "/vantrel", "temporary folder not where it was set");
    }

    // Nothing outside the three folders, no folder inside the copies, the store left alone.
    void CheckTree(const std::string& storeBytes) const {
        const std::set<std::string> fixed = {app, temp, all.substr(0, all.size() - 1), store, copies};
        for (const auto& e : fs::recursive_directory_iterator(root)) {
            const std::string p = e.path().string();
            if (fixed.count(p)) continue;
            const std::string parent = e.path().parent_path().string();
            Check(!e.is_symlink() && e.is_regular_file(), "something other than a file was made");
            Check(parent == copies || parent + "/" == all, "a file was written outside the given folders");
        }
        Check(ReadFile(store) == storeBytes, "the store changed");
    }

    void Clean() const {
        std::error_code ec;
        fs::remove_all(copies, ec);
        for (const auto& e : fs::directory_iterator(all)) fs::remove_all(e.path(), ec);
    }

private:
    fuzz::WorkFolder work_;

public:
    std::string root, app, temp, all, store, copies;
};

Place* place = nullptr;

// The member that a copy asked by the name of member `asked` copies: the first of that name.
const Member& FirstOfName(const std::vector<Member>& members, size_t asked, bool exact) {
    for (const Member& m : members)
        if (exact ? m.name == members[asked].name : rt::UCase(m.name) == rt::UCase(members[asked].name))
            return m;
    return members[asked];
}

// The copy that pckex/pckexbut made for the name of member `asked`.
void CheckCopy(const std::string& result, const std::vector<Member>& members, size_t asked, bool exact,
               const std::string& copies) {
    const Member& m = FirstOfName(members, asked, exact);
    if (!IsSafeMemberName(m.name)) {
        Check(result == "error", "an unsafe name was copied");
        return;
    }
    // A name too long for this file system fails, unless the member is empty and so never written.
    if (!Writable(m.name) && result == "error") return;
    Check(result == copies + "/" + m.name, "copy not at the member's name in the temporary folder");
    // An empty member makes no file.
    if (!m.data.empty()) Check(ReadFile(result) == m.data, "copy differs from the member");
}

// A copy of the project store's member (or the nested store's) into the temporary folder: its path or
// "error"; never a failure, since both stores open.
std::string CopyOf(ProjectArchive& archive, const std::string& name, bool nested) {
    try {
        return nested ? archive.pckexbut(name) : archive.pckex(name);
    } catch (const rt::RuntimeError&) {
        Check(false, "a copy failed on a store that opens");
        return {};
    }
}

void Copies(ProjectArchive& archive, const std::vector<Member>& members, const std::string& storeBytes) {
    for (size_t i = 0; i < members.size() && i < kMaxCopies; ++i) {
        const std::string result = CopyOf(archive, members[i].name, false);
        CheckCopy(result, members, i, false, place->copies);
        place->CheckTree(storeBytes);

        // A copy that is itself a store: list it and copy its members.
        const Member& copied = FirstOfName(members, i, false);
        if (result == "error" || copied.data.size() < dFileArc::kHeaderSize) continue;
        const std::vector<Member> inner = Walk(copied.data);
        archive.OpenPictureArchive(result);
        for (size_t j = 0; j < inner.size() && j < kMaxCopies; ++j) {
            const std::string nested = CopyOf(archive, inner[j].name, true);
            // A nested member named like the nested store itself replaces it on the disk.
            if (inner[j].name == copied.name) break;
            CheckCopy(nested, inner, j, true, place->copies);
            place->CheckTree(storeBytes);
        }
    }
}

void ExtractAll(const std::vector<Member>& members, const std::string& storeBytes) {
    dFileArc store;
    store.Filename(place->store);
    store.OpenAchive();
    store.ExtractAll(place->all);
    store.CloseAchive();
    place->CheckTree(storeBytes);
    std::set<std::string> expected;
    for (const Member& m : members)
        if (Writable(m.name)) expected.insert(m.name);
    std::set<std::string> found;
    for (const auto& e : fs::directory_iterator(place->all)) found.insert(e.path().filename().string());
    Check(found == expected, "extraction made other files than the members");
    // Later members of one name replace earlier ones.
    for (auto it = members.rbegin(); it != members.rend(); ++it) {
        if (!expected.erase(it->name)) continue;
        Check(ReadFile(place->all + it->name) == it->data, "extracted file differs from the member");
    }
}

void Delete(const std::vector<Member>& members, const std::string& storeBytes) {
    dFileArc store;
    store.Filename(place->store);
    store.OpenAchive();
    store.DeleteFile(0);
    store.CloseAchive();
    const std::string after = ReadFile(place->store);
    Check(!fs::exists(place->store + ".tmp"), "the deletion left its copy behind");
    if (after == storeBytes) return;  // nothing to delete
    std::vector<Member> rest = Walk(after);
    // A header that counts members the walk cannot find leaves an empty store.
    Check(rest.size() + 1 == std::max<size_t>(members.size(), 1),
          "deletion kept the wrong number of members");
    for (size_t i = 0; i < rest.size(); ++i)
        Check(rest[i].name == members[i + 1].name && rest[i].data == members[i + 1].data,
              "deletion changed a member it kept");
    std::string head = storeBytes.substr(0, 4);
    head.resize(4, '\0');  // a short store reads as zeros past its end
    Check(after.compare(0, 4, head) == 0, "deletion changed the signature or version");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static Place p;
    place = &p;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    WriteFile(place->store, data, size);
    const std::vector<Member> members = Walk(bytes);

    rt::VectorList pacfile, pagelast, pcfile2;
    ProjectArchive archive(pacfile, pagelast, pcfile2);
    try {
        archive.LoadArchiveIndex(place->app);
    } catch (const rt::RuntimeError&) {
        Check(false, "a readable store failed to list");
    }
    Check(static_cast<size_t>(pacfile.ListCount()) == members.size(), "index lists another member count");
    for (size_t i = 0; i < members.size(); ++i) Check(pacfile.items[i] == members[i].name, "index differs");

    Copies(archive, members, bytes);
    place->Clean();
    ExtractAll(members, bytes);
    place->Clean();
    Delete(members, bytes);
    place->CheckTree(ReadFile(place->store));
    return 0;
}
