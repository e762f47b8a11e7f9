// A stage for the slideshow and thumbnail tests: a borderless window at the screen's corner, a
// temporary application folder behind the main-window link, and the action lists the controls
// hand to the main window, recorded.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "controls/common/main_window_link.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"
#include "support/window_helpers.h"

namespace mediatest {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class Stage : public rt::Form {
public:
    Stage(int w, int h) : Form("Stage") {
        BorderStyle(rt::vbBSNone);
        Move(0, 0, w * 15.0, h * 15.0);
        Show();
    }
};

class SlidesTest : public ::testing::Test {
protected:
    void SetUp() override {
        controls::MainWindow().pat = [this] { return app.Path(); };
        controls::MainWindow().runActions = [this](const std::string& list) { runs.push_back(list); };
    }
    void TearDown() override {
        controls::MainWindow().pat = nullptr;
        controls::MainWindow().runActions = nullptr;
        testutil::PumpUntil([] { return false; }, 30);
    }
    void Folder(const std::string& name) { std::filesystem::create_directories(app.Fs() / name); }
    void Solid(const std::string& file, int w, int h, COLORREF c, const wchar_t* mime = L"image/bmp") {
        std::filesystem::create_directories((app.Fs() / file).parent_path());
        ASSERT_TRUE(WriteSolid(app.File(file), w, h, c, mime)) << file;
    }
    // An item action file in the application folder; returns its path.
    std::string Items(const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& l : lines) text += "\"" + l + "\"\r\n";
        return app.Write("items.lst", text);
    }
    // The colour at a point of a window, as it paints.
    static COLORREF At(HWND hwnd, int x, int y) { return testutil::Snapshot(hwnd).at(x, y); }

    testsupport::TempDir app;
    std::vector<std::string> runs;
};

}  // namespace mediatest
