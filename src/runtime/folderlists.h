// The folder list (DirListBox) and the drive list (DriveListBox).
//
//   void Drive1_Change(int) { Dir1.Path(Drive1.Drive()); }   // 68 for a drive without a disc
//   void Dir1_Change(int)   { File1.Path(Dir1.Path()); }
//
// A drive text is "x:" followed by anything (the drive list's own texts carry the volume label,
// "c: [system]"); as a folder it names the current folder of that drive.
#pragma once

#include <string>
#include <vector>

#include "runtime/controls.h"

namespace rt {

// The folders from the root to the current one, then the current one's sub-folders, sorted.
// Double-clicking a folder (or Enter) makes it current.
class DirListBox : public ListBox {
public:
    DirListBox(Container& c, std::string name, int index = -1);  // starts in the current folder
    DirListBox(const DirListBox& templ, int index);

    // The current folder, full, without a trailing backslash except at a drive's root.
    const std::string& Path() const noexcept { return path_; }
    // Raises 68 when the drive does not exist or holds no disc, 76 when the folder does not exist;
    // the current folder stays. A new folder raises Change before the setter returns.
    void Path(const std::string& folder);
    // The full path of the item at the position (the list's order).
    std::string FolderAt(int index) const;
    void Refresh();

    Event<> Change;

    bool OnCommand(WORD code) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void fill();
    std::string path_;
    std::vector<std::string> folders_;  // full path per item
};

// The drives of the machine, in a drop-down list: "x: [label]" for drives with a label, "x:" for
// the others (drives without a disc are not asked for theirs).
class DriveListBox : public TextControl {
public:
    DriveListBox(Container& c, std::string name, int index = -1);  // the current drive
    DriveListBox(const DriveListBox& templ, int index);

    std::string Drive() const;  // the chosen drive's text
    // Chooses the drive named by the text's first letter (case does not matter); raises 68 when the
    // machine has no such drive. A different drive raises Change before the setter returns.
    void Drive(const std::string& drive);
    int ListCount() const;
    std::string List(int index) const;
    int ListIndex() const;
    void Refresh();  // lists the drives again (a disc may have come or gone)

    Event<> Change;

    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

private:
    void create();
    void choose(int index, bool raise);
    std::vector<std::string> texts_;
    int current_ = -1;
};

}  // namespace rt
