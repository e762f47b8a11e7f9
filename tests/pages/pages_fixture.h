// Page scripts written by the tests, stores packed with the program's own store class, and the
// program started in this process (see tests/support/program_fixture.h).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "runtime/lifetime.h"
#include "shell/Form1.h"
#include "support/program_fixture.h"

namespace pagestest {

using namespace shelltest;

// One record of 14 quoted fields; missing trailing fields are empty.
inline std::string Rec(std::initializer_list<std::string> fields) {
    std::vector<std::string> f(fields);
    f.resize(14);
    std::string line;
    for (size_t i = 0; i < f.size(); ++i) line += (i ? ",\"" : "\"") + f[i] + "\"";
    return line + "\r\n";
}

// A "Form" record: caption, transition, back colour, opacity, page size, state and style.
inline std::string FormRec(const std::string& caption, int height, int width, const std::string& style = "1",
                           const std::string& opacity = "", const std::string& state = "0",
                           uint32_t back = 0xFFFFFF, const std::string& transition = "") {
    return Rec({"Form", caption + "**qk****qk****qk****qk**" + transition,
                std::to_string(back) + "**qk**" + opacity + "**qk**0**qk**140**qk**0", "0", "0",
                std::to_string(height), std::to_string(width), "0", "0", state, "##qk##", "0", style, ""});
}
// A "Label3" record with the page's open actions.
inline std::string Label3Rec(const std::string& actions) {
    return Rec({"Label3", "0", "", "0", "0", "285", "2000", "0", actions, "0", "0", "0", "0", "0**qk**8"});
}
inline std::string LabelRec(int index, const std::string& caption, const std::string& tip = "",
                            const std::string& backStyle = "0") {
    return Rec({"obj2", std::to_string(index), caption, "120", std::to_string(120 + 300 * index), "285",
                "2000", "", backStyle, tip, "16777215", "1", "0**qk**0", "10**qk**Arial**qk**False**qk**0"});
}
inline std::string TextRec(int index, const std::string& text, const std::string& password = "") {
    return Rec({"txt", std::to_string(index), text, "3000", std::to_string(120 + 400 * index), "330", "1500",
                "jump***Sepa***1", password, "", "16777215", "1", "0**qk**0",
                "10**qk**Arial**qk**False**qk**0"});
}
inline std::string ImageRec(int index, const std::string& stretch = "True") {
    return Rec({"Image", std::to_string(index), "", "120", "2400", "480", "480", stretch, "", "", "", "True",
                "", "0"});
}

// An "Aap" record: an alpha picture at (left, top) twips, of height by width twips, with its
// opacity, key colour ("NULL" for none), actions and settings list.
inline std::string AapRec(int index, int left, int top, int height, int width, const std::string& settings,
                          const std::string& actions = "", const std::string& opacity = "",
                          const std::string& key = "NULL", const std::string& autoSize = "False") {
    return Rec({"Aap", std::to_string(index), "tip", std::to_string(left), std::to_string(top),
                std::to_string(height), std::to_string(width), autoSize, opacity, key, "", "", actions, settings});
}

inline Form1& Main() {
    auto* main = static_cast<Form1*>(FindForm("Form1"));
    if (!main) throw std::runtime_error("no main window");
    return *main;
}

// Store copies left in the temporary folder.
inline std::vector<std::string> CopiesLeft() {
    std::vector<std::string> out;
    std::error_code ec;
    for (auto& e : std::filesystem::directory_iterator(CopyFolder(), ec))
        out.push_back(e.path().filename().string());
    return out;
}

// Sets the page as a page-jump action does.
inline void Jump(Form1& main, int page) {
    rt::HandlerScope scope;
    main.de.Text("0");
    main.Text2.Text("");
    main.page.Text(std::to_string(page));
}

// Existing member indexes of an array above 0.
template <class Array>
std::vector<int> Members(const Array& array) {
    std::vector<int> out;
    for (int i : array.Indexes())
        if (i != 0) out.push_back(i);
    return out;
}

inline RECT WindowRect(const rt::Form& f) {
    RECT r{};
    GetWindowRect(f.hWnd(), &r);
    return r;
}

// A pixel of the window's client area as the screen shows it, region and frame included.
inline COLORREF ScreenPixel(const rt::Form& f, int x, int y) {
    POINT p{x, y};
    ClientToScreen(f.hWnd(), &p);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

}  // namespace pagestest
