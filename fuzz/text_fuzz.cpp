// The sequential-input reader and the readers built on it (item action files, line lists, the
// settings files, the object name list) on any text. Field and line reads must make progress and
// account for every byte; the file readers must agree with the reader in memory.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controls/common/mdlList.h"
#include "fuzz_support.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/list_sink.h"
#include "runtime/textfile.h"
#include "shell/settings_items.h"
#include "shell/text/name_list.h"

namespace {

using Texts = std::vector<std::string>;
using fuzz::Check;

bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

Texts Fields(const std::string& text) {
    rt::FieldReader r(text);
    Texts out;
    size_t bytes = 0;
    while (!r.AtEnd()) {
        out.push_back(r.ReadField());
        bytes += out.back().size();
        // Every read takes at least one byte, and no field holds more than was there.
        Check(out.size() <= text.size() && bytes <= text.size(), "field reads make no progress");
    }
    return out;
}

Texts Lines(const std::string& text) {
    rt::FieldReader r(text);
    Texts out;
    while (!r.AtEnd()) {
        out.push_back(r.ReadLine());
        Check(out.size() <= text.size(), "line reads make no progress");
    }
    return out;
}

// The lines a text splits into at CR LF, CR or LF; a line end at the very end adds no line.
Texts ExpectedLines(const std::string& text) {
    Texts out;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsBreak(text[i])) {
            line += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty()) out.push_back(std::move(line));
    return out;
}

// Records of 14 fields, as a page script is read: a record that runs out keeps what it got.
void Records(const std::string& text, const Texts& fields) {
    rt::FieldReader r(text);
    size_t taken = 0;
    while (!r.AtEnd()) {
        for (int i = 0; i < 14; ++i) {
            try {
                Check(r.ReadField() == fields.at(taken), "records read other fields");
                ++taken;
            } catch (const rt::RuntimeError& e) {
                Check(e.Number() == rt::errInputPastEndOfFile && r.AtEnd(), "a record failed before the end");
                break;
            }
        }
    }
    Check(taken == fields.size(), "records lost fields");
    try {
        r.ReadField();
        Check(false, "a read past the end succeeded");
    } catch (const rt::RuntimeError& e) {
        Check(e.Number() == rt::errInputPastEndOfFile, "a read past the end raised another error");
    }
}

class TextFile {
public:
    TextFile() : work_("text-fuzz"), path(work_.Path() + "/list.txt") {}
    void Write(const std::string& text) const {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }

private:
    fuzz::WorkFolder work_;

public:
    const std::string path;
};

TextFile* file = nullptr;

// The list readers stop quietly after 32768 items.
Texts Capped(Texts items) {
    if (items.size() > 32768) items.resize(32768);
    return items;
}

void ListReaders(const Texts& fields, const Texts& lines) {
    int pumps = 0;
    const rt::MessagePump pump = [&] { ++pumps; };

    rt::VectorList items;
    items.AddItem("old");
    mdlList::LoadItemList(file->path, items, pump);
    Check(items.items == Capped(fields), "item list differs from the fields");
    Check(pumps == items.ListCount(), "item list pumped once per item");

    rt::VectorList lineList;
    lineList.AddItem("old");
    mdlList::LoadLineList(file->path, lineList);
    Check(lineList.items == Capped(lines), "line list differs from the lines");

    // Paired items: the text before the separator, the actions after it; an item without a
    // separator ends the read after its text.
    rt::VectorList texts, actions;
    mdlList::LoadPairedList(file->path, texts, actions, pump);
    size_t n = 0;
    for (; n < fields.size() && n < 32768; ++n) {
        const Texts parts = rt::Split(fields[n], mdlList::kItemSeparator);
        if (parts.empty()) break;
        Check(n < texts.items.size() && texts.items[n] == parts[0], "paired text differs");
        if (parts.size() < 2) {
            ++n;
            break;
        }
        Check(n < actions.items.size() && actions.items[n] == parts[1], "paired actions differ");
    }
    Check(texts.items.size() == n && actions.items.size() <= n && actions.items.size() + 1 >= n,
          "paired list read past a bad item");

    // The combo form puts the file's texts ahead of what the box held.
    rt::VectorList combo, comboActions;
    combo.AddItem("kept");
    mdlList::LoadPairedCombo(file->path, combo, comboActions, pump);
    Check(combo.items.back() == "kept" && combo.items.size() == texts.items.size() + 1,
          "combo lost its item");
    Check(comboActions.items == actions.items, "combo actions differ");
}

void Settings(const Texts& fields) {
    Texts items;
    try {
        items = shell::ReadSettingItems(file->path);
    } catch (const rt::RuntimeError&) {
        Check(false, "settings file failed to read");
    }
    std::string joined;
    for (const std::string& f : fields) joined += f;
    Check(items == rt::Split(joined, "#"), "settings items differ from the joined fields");
    for (size_t i = 0; i <= items.size(); ++i) {
        shell::ItemInt32(items, i);
        shell::ItemDouble(items, i);
        Check(shell::ItemText(items, i) == (i < items.size() ? items[i] : std::string()),
              "item text differs");
    }
}

void NameEntries(const Texts& lines) {
    rt::VectorList list;
    for (const std::string& line : lines) {
        const auto entry = namelist::ParseNameEntry(line);
        const Texts parts = rt::Split(line, "#");
        Check(entry.has_value() == (parts.size() >= 4), "name entry parts");
        if (!entry) continue;
        Check(entry->page == parts[0] && entry->kind == parts[1] && entry->name == parts[3],
              "name entry differs");
        try {
            entry->Index();
        } catch (const rt::RuntimeError& e) {
            Check(e.Number() == rt::errTypeMismatch || e.Number() == rt::errOverflow,
                  "index raised another error");
        }
        list.AddItem(line);
    }
    if (list.items.empty()) return;
    // The first entry of the first line's page, kind and name is found.
    const auto first = namelist::ParseNameEntry(list.items[0]);
    const auto found = namelist::FindNamedObject(
        list, [&] { return first->page; }, first->kind, first->name);
    Check(found && found->index == first->index, "the first entry was not found");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static TextFile f;
    file = &f;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Texts fields = Fields(text);
    const Texts lines = Lines(text);
    Check(lines == ExpectedLines(text), "lines differ from the text's line ends");
    Records(text, fields);

    file->Write(text);
    rt::InputFile in(file->path);
    for (const std::string& f : fields) Check(!in.AtEnd() && in.ReadField() == f, "file fields differ");
    Check(in.AtEnd(), "file has more fields");
    in.Close();

    ListReaders(fields, lines);
    Settings(fields);
    NameEntries(lines);
    return 0;
}
