// The media file browser: a drive, folder and file list of media files; a double-click plays the
// file in the main window's page movie player, in the page's movie area, and closes the browser.
#pragma once

#include "controls/buttons/chameleonButton.h"
#include "runtime/controls.h"
#include "runtime/folderlists.h"
#include "runtime/form.h"

class Form12 : public rt::Form {
public:
    Form12();

    rt::Label Label1{*this, "Label1"};
    rt::Label Label2{*this, "Label2"};
    rt::DriveListBox Drive1{*this, "Drive1"};
    rt::DirListBox Dir1{*this, "Dir1"};
    rt::FileListBox File1{*this, "File1"};
    controls::chameleonButton chameleonButton1{*this, "chameleonButton1"};
    controls::chameleonButton chameleonButton2{*this, "chameleonButton2"};
    controls::chameleonButton chameleonButton3{*this, "chameleonButton3"};
    rt::Image Image1{*this, "Image1"};

    void Drive1_Change();
    void Dir1_Change();
    void File1_DblClick();
};
