#include "controls/media/JRTF.h"

#include <richedit.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/win.h"

namespace controls {

namespace {

constexpr const char* kLibrary = "riched20.dll";
constexpr DWORD kTextWindowStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE;

}  // namespace

JRTF::JRTF(rt::Container& c, std::string name, int index, std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    Create();
}

JRTF::JRTF(const JRTF& t, int index) : UserControl(t, index) {
    Create();
}

JRTF::~JRTF() = default;

VANTREL_PROPERTY_TABLE(JRTF, VANTREL_JRTF_PROPERTIES)

void JRTF::UserControl_Initialize() {
    LoadLibraryA(kLibrary);  // kept for the whole run, as the text windows need it
    MeasureWindow();
    CreateRichWindow();
}

void JRTF::UserControl_Resize() {
    DestroyRichWindow();
    MeasureWindow();
    CreateRichWindow();
}

void JRTF::MeasureWindow() {
    geometry_.parent = hWnd();
    geometry_.x = 0;
    geometry_.y = 0;
    rt::Try([&] {
        geometry_.height = rt::NumberToInt32(ScaleHeight()) / rt::NumberToInt32(rt::TwipsPerPixelY());
        geometry_.width = rt::NumberToInt32(ScaleWidth()) / rt::NumberToInt32(rt::TwipsPerPixelX());
    });
}

void JRTF::CreateRichWindow() {
    window_.reset(CreateWindowExA(WS_EX_CLIENTEDGE, "RichEdit20A", "", kTextWindowStyle, geometry_.x,
                                  geometry_.y, geometry_.width, geometry_.height, geometry_.parent, nullptr,
                                  GetModuleHandleA(nullptr), nullptr));
    geometry_.window = window_.get();
    // The platform's text window starts in a bold system font, which would make all rich text
    // bold: it gets the control's font at normal weight first.
    if (window_) {
        GetFont().Bold(false);
        SendMessageA(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
    }
}

void JRTF::DestroyRichWindow() {
    window_.reset();
    geometry_ = Geometry{};
}

void JRTF::DestroyRTF() {
    DestroyRichWindow();
}

void JRTF::SetRichText(const std::string& text) {
    SetWindowTextA(geometry_.window, text.c_str());
}

void JRTF::LoadFile(const std::string& RTF_File_Path) {
    if (!LoadLibraryA(kLibrary)) return;
    if (PathFileExistsA(RTF_File_Path.c_str()) != 1) return;
    const std::vector<uint8_t> bytes = rt::ReadAllBytes(RTF_File_Path);
    SetRichText(std::string(bytes.begin(), bytes.end()));
}

}  // namespace controls
