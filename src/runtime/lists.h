#pragma once

#include <string>
#include <vector>

#include "runtime/list_sink.h"
#include "runtime/textcontrol.h"

namespace rt {

// List controls fill and read by position (ListSink), visible or as hidden lists.
class ListBox : public TextControl, public ListSink {
public:
    ListBox(Container& c, std::string name, int index = -1);
    ListBox(const ListBox& templ, int index);

    void Clear() override;
    void AddItem(const std::string& item, int index = -1) override;
    int ListCount() const override;
    std::string List(int index) const override;  // "" past the end, as the platform list answers
    void RemoveItem(int index);
    int ListIndex() const;
    void ListIndex(int index);  // -1 selects nothing; raises 380 past the end
    std::string Text() const;   // the selected item
    bool Sorted() const noexcept { return sorted_; }
    void Sorted(bool v);

    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

protected:
    ListBox(Container& c, std::string name, int index, bool sorted);
    void create();
    bool sorted_ = false;

private:
    // The list's items as the window holds them, so that reading the list sends no messages.
    std::vector<std::string> items_;
};

class ComboBox : public TextControl, public ListSink {
public:
    ComboBox(Container& c, std::string name, int index = -1);
    ComboBox(const ComboBox& templ, int index);

    void Clear() override;
    void AddItem(const std::string& item, int index = -1) override;
    int ListCount() const override;
    std::string List(int index) const override;
    void RemoveItem(int index);
    int ListIndex() const;
    void ListIndex(int index);
    std::string Text() const;
    void Text(const std::string& text);
    int16_t Style() const noexcept { return style_; }
    void Style(int16_t v);  // 0 drop-down combo, 2 drop-down list
    bool Sorted() const noexcept { return sorted_; }
    void Sorted(bool v);

    Event<> Change;
    // A key pressed in the text field of a drop-down combo (KeyCode, 0 swallows the key; Shift).
    Event<int16_t&, int16_t> KeyDown;

    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

private:
    void create();
    void recreate();
    static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    int16_t style_ = 0;
    bool sorted_ = false;
};

// The files of a folder that match the pattern, sorted by name (ignoring case), files only.
class FileListBox : public ListBox {
public:
    FileListBox(Container& c, std::string name, int index = -1);
    FileListBox(const FileListBox& templ, int index);

    const std::string& Path() const noexcept { return path_; }
    void Path(const std::string& folder);  // raises 76 for a folder that does not exist; keeps the old one
    const std::string& Pattern() const noexcept { return pattern_; }
    void Pattern(const std::string& patterns);  // several joined by ';'
    std::string FileName() const { return Text(); }
    void Refresh();

private:
    std::string path_, pattern_ = "*.*";
};

}  // namespace rt
