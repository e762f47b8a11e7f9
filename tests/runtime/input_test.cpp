// The mouse decoding and the cursor holder that forms and controls share.
#include "runtime/input.h"

#include <gtest/gtest.h>

#include <memory>

#include "runtime/error.h"
#include "support/error_of.h"

namespace {

using testsupport::ErrorOf;

TEST(Input, AMousePointLeftOfOrAboveTheWindowIsNegative) {
    const POINT p = rt::MousePoint(MAKELPARAM(-3, -70));
    EXPECT_EQ(p.x, -3);
    EXPECT_EQ(p.y, -70);
    EXPECT_EQ(rt::ButtonState(rt::KeysOf(rt::vbLeftButton | rt::vbMiddleButton) | MK_SHIFT),
              rt::vbLeftButton | rt::vbMiddleButton);
}

TEST(MouseCursor, CustomOnlyWithItsIconAndPointer99AndEachCopyOwnsItsCursor) {
    rt::MouseCursor c;
    EXPECT_EQ(c.Shape(), nullptr) << "0: the default";
    c.Pointer(11, "Box");
    EXPECT_EQ(c.Shape(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    EXPECT_EQ(c.Custom(), nullptr);
    EXPECT_EQ(ErrorOf([&] { c.Pointer(16, "Box"); }), rt::errInvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { c.Pointer(-1, "Box"); }), rt::errInvalidPropertyValue);
    EXPECT_EQ(c.Pointer(), 11);

    c.Pointer(99, "Box");
    EXPECT_EQ(c.Custom(), nullptr) << "no icon yet";
    c.Icon(rt::Picture::FromIcon(CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)))));
    ASSERT_NE(c.Custom(), nullptr);
    EXPECT_EQ(c.Shape(), c.Custom());

    auto copy = std::make_unique<rt::MouseCursor>(c);
    EXPECT_EQ(copy->Pointer(), 99);
    ASSERT_NE(copy->Custom(), nullptr);
    EXPECT_NE(copy->Custom(), c.Custom()) << "a cursor of its own";
    HCURSOR kept = c.Custom();
    copy.reset();
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(kept, &info)) << "the original's cursor outlives the copy";
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

}  // namespace
