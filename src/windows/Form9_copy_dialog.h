// The copy-to dialog: the user picks a destination folder (and may make a new one) and copies the
// source that the "copy" action left in frm there, through the shell with its own progress and
// replace questions. It says "Copy is done" and closes only when every file arrived whole;
// otherwise it removes the partial files the copy made and stays open.
#pragma once

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <functional>
#include <string>

#include "controls/buttons/chameleonButton.h"
#include "runtime/controls.h"
#include "runtime/folderlists.h"
#include "runtime/form.h"

class Form9 : public rt::Form {
public:
    Form9();

    rt::Image Image1{*this, "Image1"};
    rt::TextBox Text1{*this, "Text1"};
    rt::DriveListBox Drive1{*this, "Drive1"};
    rt::DirListBox Dir1{*this, "Dir1"};
    controls::chameleonButton chameleonButton1{*this, "chameleonButton1"};
    controls::chameleonButton chameleonButton2{*this, "chameleonButton2"};
    rt::TextBox frm{*this, "frm"};

    // The shell's answer to one copy: its result and whether any part was aborted.
    struct CopyResult {
        int result = 0;
        bool aborted = false;
    };
    // One shell copy of from_file (a file, a folder or "folder\*.*") to to_file, asking before
    // replacing files and allowing undo.
    CopyResult SHCopyFile(const std::string& from_file, const std::string& to_file);
    // The shell's file operation; tests put another in its place to play a full disk or a cancel.
    static std::function<int(SHFILEOPSTRUCTA&)> FileOperation;

    void Form_Load() override;
    void Drive1_Change();
    void Dir1_Change();
    void chameleonButton1_Click();  // copy
    void chameleonButton2_Click();  // new folder

private:
    bool copying_ = false;  // the shell's windows let clicks through while it copies
};
