// The thumbnail browser: the pictures of one folder as a grid of framed thumbnails with their file
// names, on a surface that scrolls vertically. A left press selects a cell (and names its picture
// in fileselectedname); the release of any button runs the action list that the item list gives
// for the selected file name.
//
// The control works in pixels. The zoom level (Text, 1 to 5) sets the box a thumbnail fits in:
// level / 5 x 170 pixels, in cells 20 pixels larger. A rebuild lays the cells out, then makes the
// thumbnails one picture at a time, holding a single full-size picture at any moment.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/chrome/pcsScrollbar.h"
#include "controls/media/gdip_image.h"
#include "runtime/controls.h"
#include "runtime/font.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties, in their stored order (see runtime/property_list.h). BorderStyle is
// stored twice: first as read back unchanged, then as the border drawn. The zoom text and the
// surface's colours and font are what a new browser has already. 0x80000005 and 0x80000008 are
// the window's background and text colours.
// clang-format off
#define VANTREL_THUMB_PROPERTIES(X)                                                                       \
    X(Store, bool, Enabled, false)                                                                        \
    X(Store, int16_t, BackStyle, int16_t{0})                                                              \
    X(Via, int16_t, BorderStyle, [](auto& t) { return t.borderCopy_; },                                   \
      [](auto& t, int16_t v) { t.borderCopy_ = v; }, int16_t{0}, int16_t{0})                              \
    X(Via, std::string, Text, [](auto& t) { return t.Text1; }, [](auto& t, std::string v) { t.Text(v); }, \
      "3", "3", rt::ForNew(rt::kKept), rt::kPassedOver)                                                   \
    X(Relay, uint32_t, BackColor, [](auto& t) { return t.picDraw.Surface().BackColor(); },                \
      [](auto& t, uint32_t c) { t.picDraw.Surface().BackColor(c); }, 0x80000005u, 0x80000005u,            \
      rt::ForNew(rt::kKept))                                                                              \
    X(Relay, uint32_t, ForeColor, [](auto& t) { return t.picDraw.Surface().ForeColor(); },                \
      [](auto& t, uint32_t c) { t.picDraw.Surface().ForeColor(c); }, 0x80000008u, 0x80000008u,            \
      rt::ForNew(rt::kKept))                                                                              \
    X(Relay, rt::Font, Font, [](auto& t) -> rt::Font& { return t.picDraw.GetFont(); },                    \
      [](auto& t, rt::Font f) { t.picDraw.SetFont(std::move(f)); },                                       \
      [](auto& t) { return t.Ambient().Font; }, [](auto& t) { return t.Ambient().Font; },                 \
      rt::ForNew(rt::kKept))                                                                              \
    X(Store, bool, FontBold, false)                                                                       \
    X(Store, bool, FontItalic, false)                                                                     \
    X(Store, std::string, FontName, std::string())                                                        \
    X(Store, float, FontSize, 0.0f)                                                                       \
    X(Custom, int16_t, BorderStyle, int16_t{1})
// clang-format on

struct ThumbEntry {
    std::string path;     // folder & "\" & file name
    GdipImage thumbnail;  // none for a picture that could not be loaded
    int32_t cellX = 0, cellY = 0;
    int32_t thumbWidth = 0, thumbHeight = 0;
    int32_t pictureWidth = 0, pictureHeight = 0;
    bool selected = false;
};

class thumb : public rt::UserControl {
public:
    thumb(rt::Container& c, std::string name, int index = -1,
          std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    thumb(const thumb& templ, int index);
    ~thumb() override;

    void strtload();  // rebuild from pat & pathflder
    void goslid(const std::string& pathn);
    // From the list: Enabled, BackStyle and the font's single keys, kept and stored (they change
    // nothing else); the setters of the surface's colours and font; the BorderStyle getter.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_THUMB_PROPERTIES)
    void BorderStyle(int16_t v);  // 0 none, 1 fixed single, else 380
    void Refresh() {}
    // The zoom level as text; a value that is no number from 1 to 5 is refused (13 or 380).
    const std::string& Text() const noexcept { return Text1; }
    void Text(const std::string& v);
    uint32_t BackColor() noexcept { return picDraw.Surface().BackColor(); }
    uint32_t ForeColor() noexcept { return picDraw.Surface().ForeColor(); }
    rt::Font& Font() noexcept { return picDraw.GetFont(); }
    const std::string& Caption() const noexcept { return pathimg; }
    void Caption(const std::string& v);

    std::string fileselectedname;
    std::string pathflder;
    uint32_t colorselect = 0xFCE1CB;
    std::string purefilename;

    // Button, Shift, X and Y in surface pixels.
    rt::Event<int16_t, int16_t, float, float> MouseUp;
    rt::Event<int16_t, int16_t, float, float> MouseDown;

    // The press and the release on the surface, in surface pixels.
    void picDraw_MouseDown(int16_t Button, int16_t Shift, float X, float Y);
    void picDraw_MouseUp(int16_t Button, int16_t Shift, float X, float Y);

    // The grid as the last rebuild left it.
    const std::vector<ThumbEntry>& Entries() const noexcept { return entries_; }
    double ContentHeight() const noexcept { return contentHeight_; }
    int ZoomBox() const;
    int CellSize() const;

    rt::PictureBox picDraw{*this, "picDraw"};
    pcsScrollbar vs{picDraw, "vs"};
    rt::FileListBox flImg{picDraw, "flImg"};
    rt::ListBox List1{picDraw, "List1"};
    rt::ScrollBar HS{*this, "HS"};

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;

private:
    static const rt::PropertyTable<thumb>& Properties();
    void wire();
    void ApplyBorderStyle();
    void Text1_Change();
    void GenerateThumbnails();
    void LayoutThumbnails(int box);
    void DrawThumbnails();
    int ScrollOffset() const;
    SIZE Surface() const;  // picDraw's client size in pixels

    std::string Text1 = "3";
    std::string pathimg;
    std::vector<ThumbEntry> entries_;
    double contentHeight_ = 0;
    uint32_t rebuild_ = 0;  // counts rebuilds, so a generation sees that a newer one began
    ULONG_PTR token_ = 0;
    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_THUMB_PROPERTIES)
    } settings_;
    int16_t borderCopy_ = 0;  // the first stored BorderStyle, kept as read
};

}  // namespace controls
