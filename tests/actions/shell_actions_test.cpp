// Shell and system actions: what reaches the shell and the system, the clipboard, and one real
// program start.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "runtime/ui.h"
#include "support/main_window_fixture.h"

using namespace actionstest;

namespace {

const std::string kSepa = "***Sepa***";

TEST_F(MainWindowTest, ShellActionsHandTheirArgumentsToTheShellAsGiven) {
    const std::string pat = Pat();
    struct Case {
        std::string action;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {"URL" + kSepa + "http://example.test/a b",
         {"ShellExecute |http://example.test/a b||" + pat + "\\Data|1"}},
        {"URL" + kSepa + "docs\\read me.pdf", {"ShellExecute |docs\\read me.pdf||" + pat + "\\Data|1"}},
        {"EXE" + kSepa + "bin\\tool.exe**qk**%CDROOT%docs\\a.txt /x %CDROOT%b",
         {"ShellExecute |" + pat + "bin\\tool.exe|" + pat + "docs\\a.txt /x " + pat + "b||1"}},
        {"EXE" + kSepa + "tool.exe**qk**/f %CDROOT%x", {"ShellExecute |" + pat + "tool.exe|/f %CDROOT%x||1"}},
        {"EXE" + kSepa + "tool.exe**qk**%cdroot%x", {"ShellExecute |" + pat + "tool.exe|%cdroot%x||1"}},
        {"EXE" + kSepa + "tool.exe", {"ShellExecute |" + pat + "tool.exe|||1"}},
        {"EXE" + kSepa + "C:\\abs\\tool.exe", {"ShellExecute |" + pat + "C:\\abs\\tool.exe|||1"}},
        {"EXE", {}},
        {"doscmd" + kSepa + "cmd /c echo x", {"StartProcess cmd /c echo x||1"}},
        {"Activex" + kSepa + "C:\\x\\comp.ocx", {"ShellExecute open|regsvr32.exe| C:\\x\\comp.ocx||1"}},
        {"Activexno" + kSepa + "comp.ocx", {"ShellExecute open|regsvr32.exe|/s comp.ocx||1"}},
        {"EML" + kSepa + "someone@example.test", {"ShellExecute open|mailto:someone@example.test|||1"}},
        {"EML", {}},
        {"opcd", {"mciSendString set cdaudio door open"}},
        {"button", {"mciSendString set cdaudio door open"}},
        {"clcd", {"mciSendString set cdaudio door closed"}},
        {"shut", {"ExitWindowsEx 1 -1"}},
        {"rest", {"ExitWindowsEx 2 -1"}},
    };
    for (const Case& c : cases) {
        Calls().clear();
        Run(c.action);
        EXPECT_EQ(Calls(), c.calls) << c.action;
    }
    EXPECT_EQ(program->ends, 0);
}

TEST_F(MainWindowTest, LabelOpensTheDoorAndEndsAtOnceWithoutTheExitWindow) {
    Run("label");
    EXPECT_EQ(Calls(), std::vector<std::string>{"mciSendString set cdaudio door open"});
    EXPECT_EQ(program->ends, 1);
    EXPECT_TRUE(main->Loaded());
    EXPECT_FALSE(shelltest::FormLoaded("Form6"));
}

TEST_F(MainWindowTest, PrintSendsTheWindowImageToThePrinter) {
    Run("PNT");
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].rfind("PrintBitmap ", 0), 0u) << Calls()[0];
}

TEST_F(MainWindowTest, SearchOpensTheTextOfTheNamedBoxUnescaped) {
    Names({"1#TXT#1#Query"});
    Text(1).Text("two words & more");
    Run("loadTXT2go" + kSepa + "Query");
    EXPECT_EQ(Calls(),
              std::vector<std::string>{"ShellExecute |http://www.google.com/search?q=two words & more|||1"});
}

TEST_F(MainWindowTest, ClipLeavesExactlyItsTextAndWithoutTextEmptiesTheClipboard) {
    rt::Clipboard::SetText("before");
    Run("clip" + kSepa + "copied text, é");
    EXPECT_EQ(rt::Clipboard::GetText(), "copied text, é");
    Run("clip");
    EXPECT_FALSE(rt::Clipboard::GetFormat(CF_TEXT));
}

TEST_F(MainWindowTest, ProgramStartsForRealWithItsParametersMadeAbsolute) {
    app.MakeFolder("bin");
    std::filesystem::copy_file(ARGECHO_EXE, app.Fs("bin/argecho.exe"));
    rt::SystemEffects real;
    rt::ScopedEffects use(real);
    Run("EXE" + kSepa + "bin\\argecho.exe**qk**%CDROOT%out.txt second");
    const auto out = app.Fs("out.txt");
    std::vector<std::string> lines;
    auto readLines = [&] {
        lines.clear();
        std::ifstream in(out);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines.size() >= 2;
    };
    ASSERT_TRUE(shelltest::PumpUntil(readLines, 30000));
    EXPECT_EQ(lines, (std::vector<std::string>{Pat() + "out.txt", "second"}));
}

}  // namespace
