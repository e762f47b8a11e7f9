// The record kinds of a page script, one row each, and the control arrays of the main window that
// hold the page objects of a kind.
//
// A row KIND(keyword, block, array, removal, start, hookup) is a kind with page objects:
//   keyword  the record's first field, compared whole and case-sensitively;
//   block    the PageBuilder member that builds such a record (src/pages/Form1_records_*.cpp);
//   array    the Form1 member, a PageArray, that takes the record's members;
//   removal  the array's place in the order in which a page build unloads the previous page's
//            members (the PDF and Flash viewers, which are no arrays, take places 3 and 18);
//   start    hidden when the array's template starts hidden, shown when not;
//   hookup   the function beside the block that gives the template the window's handlers, or
//            noEvents.
// A row PAGE(keyword, block) is a record of the page itself or of a single control: no array.
//
// The rows stand in the set order in which the builder tries the keywords. A kind is its row,
// its array on Form1 and its records file: the compiler refuses an array that no row names and a
// row whose array is not one.
#pragma once

#include <iterator>
#include <string_view>
#include <utility>

#include "runtime/control_array.h"

// clang-format off
#define VANTREL_PAGE_RECORDS(KIND, PAGE)                                                                 \
    /*   keyword             block             array             removal start   hookup            */ \
    KIND("obj1",             obj1,             Command1,         2,      hidden, Command1Events)         \
    KIND("MacBT",            MacBT,            Macbt,            17,     hidden, MacbtEvents)            \
    KIND("obj2",             obj2,             Label1,           5,      hidden, Label1Events)           \
    KIND("txt",              txt,              txt,              1,      hidden, txtEvents)              \
    KIND("picture2",         picture2,         Picture2,         19,     hidden, Picture2Events)         \
    KIND("WMPlayer",         WMPlayerRecord,   WMPlayer,         8,      shown,  noEvents)               \
    KIND("metrodes1",        metrodes1Record,  metrodes1,        16,     hidden, metrodes1Events)        \
    KIND("ComboBox",         ComboBox,         combobx1,         9,      hidden, noEvents)               \
    KIND("slideshow",        slideshowRecord,  slideshow,        10,     hidden, noEvents)               \
    KIND("rt",               rtRecord,         rt,               25,     hidden, noEvents)               \
    KIND("web",              webRecord,        web,              23,     hidden, noEvents)               \
    KIND("picture3",         picture3,         picture3,         20,     hidden, picture3Events)         \
    KIND("thumb",            thumbRecord,      thumb,            7,      hidden, thumbEvents)            \
    KIND("file",             file,             File,             21,     hidden, FileEvents)             \
    KIND("lnk",              lnk,              lnk,              22,     hidden, lnkEvents)              \
    KIND("Aap",              Aap,              aap,              6,      hidden, aapEvents)              \
    KIND("Image",            Image,            pic,              15,     hidden, picEvents)              \
    KIND("gif",              gifRecord,        gif,              11,     hidden, gifEvents)              \
    KIND("Shaper1",          Shaper1,          Shaper1,          13,     hidden, Shaper1Events)          \
    KIND("opt",              opt,              o,                12,     hidden, oEvents)                \
    KIND("imageover",        imageover,        imageover,        14,     hidden, imageoverEvents)        \
    PAGE("PDF",              PDF)                                                                         \
    KIND("bsGradientLabel1", bsGradientLabel1, bsGradientLabel1, 4,      hidden, bsGradientLabel1Events) \
    KIND("Scroll1",          Scroll1,          Scroll1,          24,     hidden, noEvents)               \
    PAGE("Label3",           Label3Record)                                                                \
    PAGE("Form",             FormRecord)
// clang-format on

// Passes over the rows of one shape in an expansion of the table.
#define VANTREL_PAGE_SKIP(...)

namespace page_kinds {

enum class Start { shown, hidden };

#define VANTREL_PAGE_KIND_ARRAY(keyword, block, array, removal, start, hookup) std::string_view(#array),
inline constexpr std::string_view kArrays[] = {
    VANTREL_PAGE_RECORDS(VANTREL_PAGE_KIND_ARRAY, VANTREL_PAGE_SKIP)};
#undef VANTREL_PAGE_KIND_ARRAY

constexpr bool Distinct(const std::string_view* first, const std::string_view* last) {
    for (const std::string_view* a = first; a != last; ++a)
        for (const std::string_view* b = a + 1; b != last; ++b)
            if (*a == *b) return false;
    return true;
}
static_assert(Distinct(std::begin(kArrays), std::end(kArrays)), "two record kinds share an array");

// Never defined: a page-object array that no row names reaches it while compiling, and the
// compiler stops there.
void NoRecordKindNamesThisArray();

// The name of a page-object array; it must be the array of a row.
struct ArrayName {
    consteval ArrayName(const char* name) : text(name) {
        for (std::string_view row : kArrays)
            if (row == name) return;
        NoRecordKindNamesThisArray();
    }
    const char* text;
};

}  // namespace page_kinds

// A control array of page objects: the array of one row of VANTREL_PAGE_RECORDS.
template <class T>
class PageArray : public rt::ControlArray<T> {
public:
    template <class... Extra>
    PageArray(rt::Container& container, page_kinds::ArrayName name, Extra&&... extra)
        : rt::ControlArray<T>(container, name.text, std::forward<Extra>(extra)...) {}
};

namespace page_kinds {
template <class Array>
inline constexpr bool isPageArray = false;
template <class T>
inline constexpr bool isPageArray<PageArray<T>> = true;
}  // namespace page_kinds
