// The stored-settings tests' common ground: a borderless host form with the font the controls'
// font settings start from, a fixture that loads it and makes controls on it from a stored bag,
// and the values those tests share.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/propertybag.h"
#include "runtime/ui.h"

namespace testsupport {

// 500 pixels wide, of the height given in twips, at the screen's corner. One form type per height.
template <int HeightTwips>
class SettingsHost : public rt::Form {
public:
    SettingsHost() : Form("SettingsHost") {
        BorderStyle(rt::vbBSNone);
        Move(0, 0, 7500, HeightTwips);
        GetFont() = rt::Font("Arial", 9.75f);
    }
};

template <int HeightTwips = 6000>
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { host = &rt::Load<SettingsHost<HeightTwips>>(); }
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
    // The bag a case names, as a control reads it; none: a new control.
    static std::shared_ptr<const rt::PropertyBag> Stored(const std::function<rt::PropertyBag()>& bag) {
        if (!bag) return nullptr;
        return std::make_shared<const rt::PropertyBag>(bag());
    }
    template <class C>
    std::unique_ptr<C> Make(std::shared_ptr<const rt::PropertyBag> bag) {
        return std::make_unique<C>(*host, "Saved", -1, std::move(bag));
    }
    SettingsHost<HeightTwips>* host = nullptr;
};

// A font away from every default: bold, italic, another size and character set.
inline rt::Font Courier() {
    rt::Font font("Courier New", 11.25f, true, true);
    font.Charset(238);
    return font;
}

// A written picture shows as its file signature: the encoder's bytes are not the subject here.
inline std::string Shown(std::string dump) {
    const std::string png = "Image = Bytes 137 80 78 71 13 10 26 10";
    if (dump.compare(0, png.size(), png) == 0) dump.replace(0, dump.find('\n'), "Image = Bytes <png>");
    return dump;
}

}  // namespace testsupport
