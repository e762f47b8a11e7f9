// The page builder behind Form1::LoadOpen: one object per page build. It removes the previous
// page's objects, reads the page script record by record, runs the block of each record's kind
// and finishes the page.
//
// The build's failure mode lives in proc: stop mode ends the build at a failing step (the
// record loop catches it), skip mode abandons only that step. Each block reaches its member
// afresh in every step, so a member that could not be created fails each step on its own.
#pragma once

#include <array>
#include <string>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "shell/Form1.h"

class PageBuilder {
public:
    explicit PageBuilder(Form1& form) : f(form) {}
    void Build();

private:
    // The record's fields F1 to F14 (slot 0 unused). They keep their texts from one record to
    // the next, so a short last record still has a kind to compare.
    using Record = std::array<std::string, 15>;

    void Prologue();
    void Finish();
    void RunRecord();

    // Kind blocks.
    void Label3Record();
    void FormRecord();
    void obj2();
    void txt();
    void opt();
    void Image();
    void file();
    void picture2();
    void WMPlayerRecord();
    void PDF();

    const std::string& F(int n) const { return r[static_cast<size_t>(n)]; }
    // Item i of field n split at sep; a missing item fails the step.
    std::string Item(int n, int i, const char* sep = "**qk**") const;
    int16_t Index() const { return rt::TextToInt16(F(2)); }
    // Common step 1: a new member for a non-zero index.
    template <class Array>
    void Create(Array& array) {
        step([&] {
            if (rt::TextToDouble(F(2)) != 0) array.Load(Index());
        });
    }
    // StyleCode of a label-like record: bold and italic, or nothing for any other text.
    static bool StyleCode(const std::string& code, bool& bold, bool& italic);
    // The look of a label or option button from F12 to F14, then to the front: one step each.
    template <class Member>
    void LabelLikeLook(Member m);

    template <class Fn>
    bool step(Fn&& fn) {
        return proc.step(std::forward<Fn>(fn));
    }
    template <class Fn>
    bool test(Fn&& fn) {
        return proc.test(std::forward<Fn>(fn));
    }
    void skipMode() { proc.switchTo(rt::OnError::Skip); }

    Form1& f;
    rt::Procedure proc{rt::OnError::Skip};
    Record r;
};
