#include "controls/media/thumb.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "controls/common/main_window_link.h"
#include "controls/common/mdlList.h"
#include "controls/common/paint.h"
#include "controls/media/modGDIPlusResize.h"
#include "runtime/ansi_text.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/handles.h"
#include "runtime/ui.h"
#include "runtime/win.h"

namespace controls {

namespace {

namespace gdip = imaging::gdip;

constexpr int kVsWidth = 16;
constexpr double kScrollMax = 10000;
constexpr int kLargestBox = 170;
constexpr int kCellMargin = 20;
constexpr COLORREF kSelectionEdge = 0x8B6425;
constexpr COLORREF kFrameGrey = 0x808080;
constexpr COLORREF kFrameWhite = 0xFFFFFF;

// A picture of w x h fitted into a square box: never enlarged, else the longer side fills it.
SIZE FitThumbSize(int w, int h, int box) {
    if (w < box && h < box) return SIZE{w, h};
    const double r = static_cast<double>(w) / h;
    if (w >= h) return SIZE{box, rt::RoundEven(box / r)};
    return SIZE{rt::RoundEven(box * r), box};
}

void FillRectColour(HDC dc, int left, int top, int width, int height, COLORREF colour) {
    SolidFill(dc, RECT{left, top, left + width, top + height}, colour);
}

}  // namespace

thumb::thumb(rt::Container& c, std::string name, int index, std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    wire();
    Create();
}

thumb::thumb(const thumb& t, int index) : UserControl(t, index), MouseUp(t.MouseUp), MouseDown(t.MouseDown) {
    wire();
    Create();
}

thumb::~thumb() {
    entries_.clear();  // the thumbnails go before GDI+ does
    modGDIPlusResize::GdipEndToken(token_);
}

void thumb::wire() {
    token_ = modGDIPlusResize::GdipStartToken();
    const auto px = [](float twips, int perPixel) { return static_cast<float>(twips / perPixel); };
    picDraw.MouseDown = [this, px](int, int16_t b, int16_t s, float x, float y) {
        picDraw_MouseDown(b, s, px(x, rt::TwipsPerPixelX()), px(y, rt::TwipsPerPixelY()));
    };
    picDraw.MouseUp = [this, px](int, int16_t b, int16_t s, float x, float y) {
        picDraw_MouseUp(b, s, px(x, rt::TwipsPerPixelX()), px(y, rt::TwipsPerPixelY()));
    };
    vs.Change = [this](int) {
        if (flImg.ListCount() > 0) DrawThumbnails();
    };
}

void thumb::UserControl_Initialize() {
    picDraw.BorderStyle(0);
    picDraw.AutoRedraw(true);
    picDraw.Move(0, 0);
    vs.Max(kScrollMax);
    flImg.Visible(false);
    flImg.Pattern("*.bmp;*.jpg;*.gif;*.png");
    List1.Visible(false);
    HS.Visible(false);
    HS.Min(1);
    HS.Max(5);
}

void thumb::UserControl_InitProperties() {
    Properties().InitAll(*this);
    ApplyBorderStyle();
}

VANTREL_PROPERTY_TABLE(thumb, VANTREL_THUMB_PROPERTIES)

void thumb::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
    ApplyBorderStyle();
}

void thumb::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

// The surface fills the control inside its border; the scroll bar stands at its right edge. No
// new layout.
void thumb::UserControl_Resize() {
    RECT inner{};
    if (hWnd()) inner = rt::ClientRectOf(hWnd());
    rt::Try([&] { picDraw.Move(0, 0, rt::ToTwipsX(inner.right), rt::ToTwipsY(inner.bottom)); });
    const RECT r = picDraw.PixelRect();
    const int w = r.right - r.left, h = r.bottom - r.top;
    rt::Try([&] {
        vs.Move(rt::ToTwipsX(w - kVsWidth - 1), 0, rt::ToTwipsX(kVsWidth), rt::ToTwipsY(std::max(h - 1, 0)));
    });
}

// Fixed single: a one-pixel line round the control, taken from its area.
void thumb::ApplyBorderStyle() {
    const bool framed = hWnd() && (GetWindowLongPtrA(hWnd(), GWL_STYLE) & WS_BORDER);
    if (framed == (settings_.BorderStyle == 1)) return;
    SetStyleBits(WS_BORDER, settings_.BorderStyle == 1 ? WS_BORDER : 0);
    UserControl_Resize();
}

SIZE thumb::Surface() const {
    RECT r{};
    if (picDraw.hWnd()) GetClientRect(picDraw.hWnd(), &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// ---- properties

void thumb::BorderStyle(int16_t v) {
    if (v != 0 && v != 1) rt::Raise(rt::errInvalidPropertyValue, Name());
    Store(settings_.BorderStyle, v, "BorderStyle");
    ApplyBorderStyle();
}
void thumb::Text(const std::string& v) {
    Text1 = v;
    PropertyChanged("Text");
    Text1_Change();
}
void thumb::Text1_Change() {
    HS.Value(rt::TextToInt16(Text1));
}
void thumb::Caption(const std::string& v) {
    Store(pathimg, v, "Caption");
}

// ---- geometry

int thumb::ZoomBox() const {
    return rt::RoundEven(static_cast<double>(HS.Value()) / HS.Max() * kLargestBox);
}

int thumb::CellSize() const {
    return rt::RoundEven(static_cast<double>(HS.Value()) / HS.Max() * kLargestBox + kCellMargin);
}

int thumb::ScrollOffset() const {
    if (!vs.Enabled()) return 0;
    const int range = rt::RoundEven(contentHeight_ - Surface().cy);
    return rt::RoundEven(vs.Value() / kScrollMax * range);
}

// ---- rebuild

void thumb::goslid(const std::string& pathn) {
    List1.Clear();
    mdlList::LoadItemList(pathn, List1, [] { rt::DoEvents(); });
}

void thumb::strtload() {
    rt::Try([&] { Text1_Change(); });
    const auto& pat = MainWindow().pat;
    const std::string folder = (pat ? pat() : std::string()) + pathflder;
    if (pathflder.empty()) return;
    rt::Try([&] { flImg.Path(folder); });
    const int count = flImg.ListCount();
    if (count == 0) return;
    ++rebuild_;
    entries_.clear();
    entries_.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        entries_[static_cast<size_t>(i)].path = flImg.Path() + "\\" + flImg.List(i);
    GenerateThumbnails();
}

// Cells first (they depend only on the index and the zoom box), then one picture at a time:
// loaded, measured, made into its thumbnail and released before the next is loaded. The message
// loop runs after each thumbnail; the generation stops when the control was unloaded or a newer
// rebuild replaced the entries meanwhile.
void thumb::GenerateThumbnails() {
    const uint32_t serial = rebuild_;
    const int box = ZoomBox();
    LayoutThumbnails(box);
    const imaging::GdiplusApi* api = imaging::GdiplusService::Instance().Api(token_);
    for (size_t j = 0; j < entries_.size(); ++j) {
        rt::Try([&] {
            if (!api) return;
            ThumbEntry& e = entries_[j];
            gdip::GpImage* loaded = nullptr;
            api->GdipLoadImageFromFile(rt::Widen(e.path.c_str()).c_str(), &loaded);
            GdipImage full(api, loaded);
            if (!full) return;
            UINT w = 0, h = 0;
            api->GdipGetImageWidth(full.get(), &w);
            api->GdipGetImageHeight(full.get(), &h);
            if (w == 0 || h == 0) return;
            e.pictureWidth = static_cast<int32_t>(w);
            e.pictureHeight = static_cast<int32_t>(h);
            const SIZE size = FitThumbSize(e.pictureWidth, e.pictureHeight, box);
            e.thumbWidth = size.cx;
            e.thumbHeight = size.cy;
            gdip::GpImage* small = nullptr;
            api->GdipGetImageThumbnail(full.get(), static_cast<UINT>(size.cx), static_cast<UINT>(size.cy),
                                       &small, nullptr, nullptr);
            e.thumbnail = GdipImage(api, small);
        });
        if (j % 10 == 0) DrawThumbnails();
        rt::DoEvents();
        if (Unloaded() || serial != rebuild_) return;
    }
    DrawThumbnails();
}

void thumb::LayoutThumbnails(int box) {
    if (entries_.empty()) return;
    const RECT bar = vs.PixelRect();
    for (size_t i = 0; i < entries_.size(); ++i) {
        ThumbEntry& e = entries_[i];
        const SIZE size = FitThumbSize(e.pictureWidth, e.pictureHeight, box);
        e.thumbWidth = size.cx;
        e.thumbHeight = size.cy;
        if (i == 0) {
            e.cellX = e.cellY = 0;
            continue;
        }
        const ThumbEntry& before = entries_[i - 1];
        e.cellX = before.cellX + box + kCellMargin;
        e.cellY = before.cellY;
        if (bar.left < e.cellX + box) {
            e.cellX = 0;
            e.cellY = before.cellY + box + kCellMargin;
        }
    }
    contentHeight_ = entries_.back().cellY + box + kCellMargin;
    vs.Visible(contentHeight_ > Surface().cy);
}

void thumb::DrawThumbnails() {
    const int offset = ScrollOffset();
    const int cell = CellSize();
    const SIZE surface = Surface();
    picDraw.Cls();
    HDC dc = picDraw.hDC();
    if (!dc) return;
    const imaging::GdiplusApi* api = imaging::GdiplusService::Instance().Api(token_);
    imaging::GdipGraphics graphics(api);
    if (api) api->GdipCreateFromHDC(dc, graphics.put());
    const RECT bar = vs.PixelRect();
    const int columns = (surface.cx - (bar.right - bar.left)) / cell;
    int first = 0;
    rt::Try([&] {
        first =
            std::max(0, static_cast<int>(rt::NumberToInt16(static_cast<double>(columns) * (offset / cell))));
    });

    rt::SelectGuard font(dc, picDraw.GetFont().Handle());
    SetTextColor(dc, TranslateOleColor(picDraw.Surface().ForeColor()));
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = static_cast<size_t>(first); i < entries_.size(); ++i) {
        const ThumbEntry& e = entries_[i];
        const int x = e.cellX, y = e.cellY - offset, w = e.thumbWidth, h = e.thumbHeight;
        if (y > surface.cy) break;
        if (y + cell <= 0) continue;
        const int dx = rt::RoundEven((cell - w) / 2.0), dy = rt::RoundEven((cell - h - 20) / 2.0);
        if (e.selected) {
            FillRectColour(dc, x, y, cell, cell, kSelectionEdge);
            FillRectColour(dc, x + 1, y + 1, cell - 2, cell - 2, TranslateOleColor(colorselect));
        }
        FillRectColour(dc, x + dx - 4, y + dy - 4, w + 8, h + 8, kFrameGrey);
        FillRectColour(dc, x + dx - 3, y + dy - 3, w + 6, h + 6, kFrameWhite);
        FillRectColour(dc, x + dx - 1, y + dy - 1, w + 2, h + 2, kFrameGrey);
        if (graphics && e.thumbnail)
            api->GdipDrawImageRect(graphics.get(), e.thumbnail.get(), static_cast<float>(x + dx),
                                   static_cast<float>(y + dy), static_cast<float>(w), static_cast<float>(h));
        RECT text{x, y + cell - 15, x + cell, y + cell};
        const std::string name = flImg.List(static_cast<int>(i));
        DrawTextA(dc, name.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    graphics.reset();
    picDraw.Refresh();
}

// ---- mouse

void thumb::picDraw_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    fileselectedname.clear();
    purefilename.clear();
    pathimg.clear();
    if (Button != 1) return;
    const int offset = ScrollOffset();
    const int cell = CellSize();
    const int height = Surface().cy;
    for (ThumbEntry& e : entries_) e.selected = false;
    int hit = -1;
    for (size_t i = 0; i < entries_.size(); ++i) {
        ThumbEntry& e = entries_[i];
        const int y = e.cellY - offset;
        if (y >= height) break;
        if (e.cellX <= X && X <= e.cellX + cell && y < Y && Y < y + cell) {
            e.selected = true;
            hit = static_cast<int>(i);
            break;
        }
    }
    DrawThumbnails();
    if (hit >= 0) {
        purefilename = flImg.List(hit);
        const std::string& folder = flImg.Path();
        fileselectedname = folder.size() > 3 ? folder + "\\" + purefilename : folder + purefilename;
    }
    RaiseEvent(MouseDown, Button, Shift, X, Y);
}

// The first row whose text is the selected file name runs its action list.
void thumb::picDraw_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
    RaiseEvent(MouseUp, Button, Shift, X, Y);
    if (Unloaded()) return;
    const auto goOn = [this] {
        rt::DoEvents();
        return !Unloaded();
    };
    mdlList::RunFirstItem(List1, purefilename, goOn, MainWindow().runActions);
}

}  // namespace controls
