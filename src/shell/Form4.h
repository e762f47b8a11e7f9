// The launcher: the program's first window. Its load applies the display mode, checks the
// requirements and the project store, installs the project's fonts, then shows the splash
// picture or hands over to the main window at once.
#pragma once

#include <string>

#include "runtime/controls.h"
#include "runtime/form.h"

class Form4 : public rt::Form {
public:
    Form4();

    rt::Image Image1{*this, "Image1"};
    rt::FileListBox File1{*this, "File1"};
    rt::CommandButton cmdInstall{*this, "cmdInstall"};
    rt::Timer Timer1{*this, "Timer1"};  // 2000 ms, running from the window's creation

    void Form_Load() override;
    void cmdInstall_Click();
    void installfont(const std::string& fontFile);
    void cont();
    void Timer1_Timer();

    // A backslash when the application folder's path is longer than 3 characters.
    std::string AppPathSuffix;

private:
    std::string AppFile(const std::string& relative) const;
    // Shows a start-up check's message and ends the program.
    void Stop(const std::string& message, const std::string& title);
    // Loads the main window, starts the music and unloads the launcher.
    void HandOver();
};
