// A started main window over a small project: a store of five plain pages and the two action
// sounds in the data folder; the machine's effects are recorded. Tests put page objects and
// name-list entries on the window themselves.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "runtime/effects.h"
#include "runtime/lifetime.h"
#include "shell/Form1.h"
#include "support/program_fixture.h"

namespace actionstest {

using shelltest::AppFolder;
using shelltest::Member;

inline std::vector<Member> FivePages() {
    std::vector<Member> members;
    for (int p = 1; p <= 5; ++p) members.push_back({"sys" + std::to_string(p) + " .esr", "\"Form\",0\r\n"});
    members.push_back({"name.nme", "\r\n"});
    return members;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { Start(FivePages()); }

    void Start(std::vector<Member> members) {
        app.Pack(members);
        app.Write("data/enter.wav", "RIFF");
        app.Write("data/cross.wav", "RIFF");
        program = std::make_unique<shelltest::ProgramScope>(app);
        program->Start();
        main = static_cast<Form1*>(shelltest::FindForm("Form1"));
        ASSERT_NE(main, nullptr);
        // Page 1's open actions (400 ms) are past before a test begins.
        shelltest::PumpUntil([] { return false; }, 500);
        Calls().clear();
    }
    void TearDown() override { program.reset(); }

    std::vector<std::string>& Calls() { return program->recorder.calls; }
    int CountCalls(const std::string& call) {
        return static_cast<int>(std::count(Calls().begin(), Calls().end(), call));
    }

    void Names(const std::vector<std::string>& entries) {
        main->namelist.Clear();
        for (const auto& e : entries) main->namelist.AddItem(e);
    }
    rt::TextBox& Text(int i) {
        if (!main->txt.Exists(i)) main->txt.Load(i);
        return main->txt[i];
    }
    rt::Label& Label(int i) {
        if (!main->Label1.Exists(i)) main->Label1.Load(i);
        return main->Label1[i];
    }
    // Runs one action as the holders do: inside a handler.
    void Run(const std::string& action) {
        rt::HandlerScope scope;
        main->ExecuteTag(action);
    }
    std::string Pat() { return main->pat.Text(); }
    std::string Sound(const std::string& name) {
        return "PlaySound " + Pat() + "data\\" + name + ".wav 8192";
    }

    AppFolder app;
    std::unique_ptr<shelltest::ProgramScope> program;
    Form1* main = nullptr;
};

}  // namespace actionstest
