// The object name list: one line per named page object, "page#kind#index#name" (for example
// "2#TXT#3#Total": member 3 of the text-field array on page 2, named Total). Actions find their
// target object through it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/list_sink.h"

namespace namelist {

// Kind codes, compared exactly (case included).
inline constexpr std::string_view kindText = "TXT";          // text fields `txt`
inline constexpr std::string_view kindLabel = "lbl";         // labels `Label1`
inline constexpr std::string_view kindCombo = "cmb";         // combo boxes `combobx1`
inline constexpr std::string_view kindFlash = "FLA";         // Flash viewer "tovi" & index
inline constexpr std::string_view kindAlphaPicture = "aap";  // alpha pictures `aap`
inline constexpr std::string_view kindWeb = "WEB";           // web viewers `web`
inline constexpr std::string_view kindMediaPlayer = "wmp";   // media players `WMPlayer`
inline constexpr std::string_view kindSlideshow = "sld";     // slideshows `slideshow`
inline constexpr std::string_view kindThumbnails = "thumb";  // thumbnail browsers `thumb`

struct NameEntry {
    std::string page;
    std::string kind;
    std::string index;  // as written; see Index()
    std::string name;

    // The array index as a 16-bit integer; raises 13 or 6 when the text does not convert.
    int16_t Index() const;
};

// The entry of one line; nothing when the line has fewer than four parts. Parts after the
// fourth are ignored (so a name holding "#" never matches).
std::optional<NameEntry> ParseNameEntry(std::string_view line);

// The first entry of `list` (in list order) whose page equals currentPage(), whose kind equals
// `kind` and whose name equals `name`, all exactly. The page text is asked afresh for every
// entry, since a nested action may switch the page; `pump` runs once after every entry that
// does not match (it may be empty). The number of entries is taken once, at the start.
std::optional<NameEntry> FindNamedObject(const rt::ListSink& list,
                                         const std::function<std::string()>& currentPage,
                                         std::string_view kind, std::string_view name,
                                         const rt::MessagePump& pump = {});

}  // namespace namelist
