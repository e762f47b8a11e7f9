#include "windows/Form9_copy_dialog.h"

#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/inputbox.h"
#include "runtime/system_library.h"
#include "runtime/ui.h"
#include "windows/copy_plan.h"
#include "windows/window_layout.h"

namespace {

constexpr double kClientWidth = 4680, kClientHeight = 5055;
constexpr int kOperationCancelled = 0x75;  // the shell's older code for a cancelled operation

bool EndsWithBackslash(const std::string& s) {
    return !s.empty() && s.back() == '\\';
}

void NotComplete() {
    rt::MsgBox("Copy is not complete", rt::vbCritical, "Copy");
}

}  // namespace

std::function<int(SHFILEOPSTRUCTA&)> Form9::FileOperation = [](SHFILEOPSTRUCTA& op) {
    static const auto operation =
        rt::SystemFunction<decltype(::SHFileOperationA)>("shell32.dll", "SHFileOperationA");
    return operation ? operation(&op) : ERROR_PROC_NOT_FOUND;
};

Form9::Form9() : Form("Form9") {
    Caption("COPY TO Select Path to Copy");
    BorderStyle(rt::vbFixedSingle);
    MinButton(false);
    MaxButton(false);
    BackColor(0xFFFFFF);
    windows::SetClientSize(*this, kClientWidth, kClientHeight);
    windows::CentreOnScreen(*this);
    rt::Try([&] {
        HICON icon = LoadIconA(GetModuleHandleA(nullptr), "AAA");
        Image1.SetPicture(rt::Picture::FromIcon(icon ? icon : LoadIconA(nullptr, IDI_APPLICATION), false));
    });
    Image1.Move(60, 60);
    Text1.Move(600, 120, 3975, 315);
    Text1.Text("c:\\");
    Drive1.Move(120, 480, 4455);
    Dir1.Move(120, 840, 4455, 3240);
    chameleonButton1.ButtonType(3);
    chameleonButton1.Caption("Start Copy To H.D.D");
    chameleonButton1.Move(120, 4200, 2055, 735);
    chameleonButton2.ButtonType(3);
    chameleonButton2.Caption("Create New Folder");
    chameleonButton2.ToolTipText("Make new Folder");
    chameleonButton2.Move(2400, 4200, 2175, 735);
    frm.Visible(false);
    Drive1.Change = [this](int) { Drive1_Change(); };
    Dir1.Change = [this](int) { Dir1_Change(); };
    chameleonButton1.Click = [this](int) { chameleonButton1_Click(); };
    chameleonButton2.Click = [this](int) { chameleonButton2_Click(); };
}

void Form9::Form_Load() {
    rt::Try([&] { Dir1.Path("C:\\"); });
    rt::Try([&] { Drive1.Drive("c:\\"); });
}

void Form9::Drive1_Change() {
    rt::Err().Clear();
    if (rt::Try([&] { Dir1.Path(Drive1.Drive()); })) return;
    if (rt::Err().Number != rt::errDeviceUnavailable) return;
    // An empty removable drive: say so and go back to drive C.
    rt::MsgBox("No Disk in this Drive", rt::vbCritical + rt::vbOKCancel, "No Disc");
    rt::Try([&] { Drive1.Drive("c:\\"); });
}

void Form9::Dir1_Change() {
    Text1.Text(Dir1.Path());
    chameleonButton1.Enabled(true);
}

void Form9::chameleonButton2_Click() {
    rt::Procedure proc(rt::OnError::Skip);
    std::string answer;
    proc.step([&] { answer = rt::InputBox("Write you folder Name", "Make New folder", "New Folder"); });
    // Entering the new folder puts its path, without a backslash, into Text1; a root, or a folder
    // that could not be entered, still ends in one and gets the second try.
    if (proc.test([&] { return !EndsWithBackslash(Text1.Text()); })) {
        proc.step([&] { Text1.Text(Text1.Text() + "\\"); });
        proc.step([&] { rt::MkDir(Text1.Text() + answer); });
        proc.step([&] { Dir1.Path(Text1.Text() + answer); });
    }
    if (proc.test([&] { return EndsWithBackslash(Text1.Text()); })) {
        proc.step([&] { rt::MkDir(Text1.Text() + answer); });
        proc.step([&] { Dir1.Path(Text1.Text() + answer); });
    }
}

Form9::CopyResult Form9::SHCopyFile(const std::string& from_file, const std::string& to_file) {
    // Both lists end in two NULs.
    const std::string from = from_file + std::string(2, '\0');
    const std::string to = to_file + std::string(2, '\0');
    SHFILEOPSTRUCTA op{};
    op.hwnd = nullptr;
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_ALLOWUNDO;
    op.lpszProgressTitle = nullptr;
    CopyResult copy;
    copy.result = FileOperation(op);
    copy.aborted = op.fAnyOperationsAborted != FALSE;
    return copy;
}

void Form9::chameleonButton1_Click() {
    if (copying_) return;
    const std::string source = frm.Text();
    std::string from;
    if (source.size() > 3)
        from = source;
    else if (source.size() == 3)
        from = source + "*.*";  // a drive's root: its contents go straight into the destination
    else
        return;
    const std::string to = Text1.Text();
    const windows::CopyPlan plan = windows::PlanCopy(from, to);
    if (plan.intoItself) {
        NotComplete();
        return;
    }
    copying_ = true;
    const CopyResult copy = SHCopyFile(from, to);
    copying_ = false;
    // The shell may call a copy that left a file short a success (a full disk, for one).
    if (copy.result == 0 && !copy.aborted && windows::CopyComplete(plan)) {
        rt::MsgBox("Copy is done", rt::vbInformation, "Copy is done");
        Unload();
        return;
    }
    windows::RemovePartialCopies(plan);
    const bool cancelled = copy.result == ERROR_CANCELLED || copy.result == kOperationCancelled;
    if (!cancelled) NotComplete();
}
