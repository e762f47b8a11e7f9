// The loaders of page objects that take store members after the page is built: the item lists of
// combo boxes, slideshows and thumbnail browsers, and the pictures of Image objects.
#include <string>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/picture.h"
#include "shell/Form1.h"

namespace {

// Each loader visits every existing member from 1 up to the highest index, so a gap in the
// numbering hides no member; a member that an action removed meanwhile fails its own steps. For
// each: the temporary copy of page & kind & index & extension, the loader's steps on it, and the
// copy deleted. Every step is skipped when it fails.
template <class Array, class Steps>
void LoadItemFiles(Form1& f, Array& array, const char* kind, const char* extension, Steps steps) {
    for (int i : array.Indexes()) {
        if (i == 0) continue;
        const std::string name = f.page.Text() + kind + rt::Str(static_cast<int64_t>(i)) + extension;
        rt::Procedure proc(rt::OnError::Skip);
        std::string copy = "error";
        proc.step([&] { copy = f.pckex(name); });
        steps(proc, i, copy);
        if (copy != "error") proc.step([&] { rt::Kill(copy); });
    }
}

}  // namespace

void Form1::combogo() {
    LoadItemFiles(*this, combobx1, "cmb", ".cmb", [&](rt::Procedure& proc, int i, const std::string& copy) {
        proc.step([&] { combobx1[i].gocombo(copy); });
        proc.step([&] { combobx1[i].Textn(combobx1[i].Tag()); });
    });
}

void Form1::sldgo() {
    LoadItemFiles(*this, slideshow, "sld", ".sld", [&](rt::Procedure& proc, int i, const std::string& copy) {
        proc.step([&] { slideshow[i].goslid(copy); });
    });
}

void Form1::thmbgo() {
    LoadItemFiles(*this, thumb, "thumb", ".tmb", [&](rt::Procedure& proc, int i, const std::string& copy) {
        proc.step([&] { thumb[i].goslid(copy); });
        proc.step([&] { thumb[i].strtload(); });
    });
}

void Form1::Picpath(rt::Image& image, const std::string& Path) {
    rt::Procedure proc(rt::OnError::Skip);
    const std::string name = page.Text() + "p" + rt::Str(static_cast<int64_t>(image.Index())) + ".pic";
    std::string copy = "error";
    proc.step([&] { copy = pckex(name); });
    if (copy == "error") return;  // the Image keeps its picture
    proc.step([&] { image.SetPicture(rt::LoadPicture(copy)); });
    proc.step([&] { rt::Kill(copy); });
}
