// The loaders of page objects that take store members after the page is built: the item lists of
// combo boxes, slideshows and thumbnail browsers, and the pictures of Image objects.
#include <string>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/picture.h"
#include "shell/Form1.h"

// Each loader visits every existing member from 1 up to the highest index, so a gap in the
// numbering hides no member; a member that an action removed meanwhile fails its own steps.
void Form1::combogo() {
    for (int i : combobx1.Indexes()) {
        if (i == 0) continue;
        const std::string name = page.Text() + "cmb" + rt::Str(static_cast<int64_t>(i)) + ".cmb";
        rt::Procedure proc(rt::OnError::Skip);
        std::string copy = "error";
        proc.step([&] { copy = pckex(name); });
        proc.step([&] { combobx1[i].gocombo(copy); });
        proc.step([&] { combobx1[i].Textn(combobx1[i].Tag()); });
        if (copy != "error") proc.step([&] { rt::Kill(copy); });
    }
}

void Form1::sldgo() {
    for (int i : slideshow.Indexes()) {
        if (i == 0) continue;
        const std::string name = page.Text() + "sld" + rt::Str(static_cast<int64_t>(i)) + ".sld";
        rt::Procedure proc(rt::OnError::Skip);
        std::string copy = "error";
        proc.step([&] { copy = pckex(name); });
        proc.step([&] { slideshow[i].goslid(copy); });
        if (copy != "error") proc.step([&] { rt::Kill(copy); });
    }
}

void Form1::thmbgo() {
    for (int i : thumb.Indexes()) {
        if (i == 0) continue;
        const std::string name = page.Text() + "thumb" + rt::Str(static_cast<int64_t>(i)) + ".tmb";
        rt::Procedure proc(rt::OnError::Skip);
        std::string copy = "error";
        proc.step([&] { copy = pckex(name); });
        proc.step([&] { thumb[i].goslid(copy); });
        proc.step([&] { thumb[i].strtload(); });
        if (copy != "error") proc.step([&] { rt::Kill(copy); });
    }
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
