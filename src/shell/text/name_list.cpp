#include "shell/text/name_list.h"

#include <vector>

#include "runtime/convert.h"

namespace namelist {

int16_t NameEntry::Index() const {
    return rt::TextToInt16(index);
}

std::optional<NameEntry> ParseNameEntry(std::string_view line) {
    std::vector<std::string> parts = rt::Split(line, "#");
    if (parts.size() < 4) return std::nullopt;
    return NameEntry{std::move(parts[0]), std::move(parts[1]), std::move(parts[2]), std::move(parts[3])};
}

std::optional<NameEntry> FindNamedObject(const rt::ListSink& list,
                                         const std::function<std::string()>& currentPage,
                                         std::string_view kind, std::string_view name,
                                         const rt::MessagePump& pump) {
    const int count = list.ListCount();
    for (int i = 0; i < count && i < list.ListCount(); ++i) {
        std::optional<NameEntry> entry = ParseNameEntry(list.List(i));
        if (entry && entry->kind == kind && entry->name == name && entry->page == currentPage()) return entry;
        if (pump) pump();
    }
    return std::nullopt;
}

}  // namespace namelist
