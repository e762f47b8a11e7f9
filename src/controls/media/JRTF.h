// The rich-text viewer: a Rich Edit 2.0 window filling the control, showing a file as its text
// (a file that begins with an RTF header formatted, any other as plain text).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/handles.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties (see runtime/property_list.h).
// clang-format off
#define VANTREL_JRTF_PROPERTIES(X)                                                             \
    X(Relay, uint32_t, BackColor, [](auto& t) { return t.rt::UserControl::BackColor(); },      \
      [](auto& t, uint32_t c) { t.rt::UserControl::BackColor(c); }, 0x8000000Fu, 0x8000000Fu)
// clang-format on

class JRTF : public rt::UserControl {
public:
    JRTF(rt::Container& c, std::string name, int index = -1,
         std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    JRTF(const JRTF& templ, int index);
    ~JRTF() override;

    void LoadFile(const std::string& RTF_File_Path);
    // Destroys the text window; nothing shows until the next resize makes a new one.
    void DestroyRTF();
    uint32_t BackColor() const { return UserControl::BackColor(); }
    VANTREL_PROPERTY_ACCESSORS(VANTREL_JRTF_PROPERTIES)

    // The text window's geometry record: parent, window, x, y, width, height (pixels).
    struct Geometry {
        HWND parent = nullptr;
        HWND window = nullptr;
        int32_t x = 0, y = 0, width = 0, height = 0;
    };
    const Geometry& TextWindow() const noexcept { return geometry_; }

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override { Properties().InitAll(*this); }
    void UserControl_ReadProperties(rt::PropertyBag& b) override { Properties().ReadAll(*this, b); }
    void UserControl_WriteProperties(rt::PropertyBag& b) override { Properties().WriteAll(*this, b); }
    void UserControl_Resize() override;

private:
    static const rt::PropertyTable<JRTF>& Properties();
    void MeasureWindow();
    void CreateRichWindow();
    void DestroyRichWindow();
    void SetRichText(const std::string& text);

    Geometry geometry_;
    rt::WindowHandle window_;
};

}  // namespace controls
