// GDI+ lifetime of the vector objects, seen through the program's one GDI+ service.
#include <gtest/gtest.h>

#include "controls/alpha/GDIpPenBrush.h"
#include "controls/alpha/GDIpShape.h"
#include "controls/alpha/cGDIpToken.h"
#include "controls/alpha/cMouseExit.h"
#include "controls/alpha/gdip_fixture.h"

using controls::GDIpPenBrush;
using controls::GDIpShape;
using controls::SharedGdipToken;
using controls::SharedMouseTracker;
using imaging::GdiplusService;

namespace {

int gLoads = 0;
void CountLoads(imaging::GdiplusApi&, imaging::GdiplusShapeApi&) {
    ++gLoads;
}
void DropCreatePath(imaging::GdiplusApi&, imaging::GdiplusShapeApi& s) {
    s.GdipCreatePath = nullptr;
}

struct FilterScope {
    explicit FilterScope(GdiplusService::TableFilter f) { GdiplusService::Instance().SetTableFilter(f); }
    ~FilterScope() { GdiplusService::Instance().SetTableFilter(nullptr); }
};

struct LibraryScope {
    explicit LibraryScope(const char* name) : old(GdiplusService::Instance().LibraryName()) {
        GdiplusService::Instance().SetLibraryName(name);
    }
    ~LibraryScope() { GdiplusService::Instance().SetLibraryName(old); }
    std::string old;
};

}  // namespace

TEST(GdipToken, EachFirstUserStartsGdiplusAndTheLastStopsIt) {
    auto& service = GdiplusService::Instance();
    ASSERT_FALSE(service.Running());
    FilterScope filter(&CountLoads);
    gLoads = 0;
    std::shared_ptr<controls::cMouseExit> firstTracker;
    {
        GDIpShape path;
        EXPECT_TRUE(service.Running());
        EXPECT_NE(SharedGdipToken()->Token(), 0u);
        EXPECT_EQ(SharedGdipToken()->References(), 1);
        {
            GDIpPenBrush second;  // a further user only counts
            EXPECT_EQ(SharedGdipToken()->References(), 2);
            EXPECT_EQ(service.References(), 1);
        }
        firstTracker = SharedMouseTracker();
        ASSERT_TRUE(firstTracker);
    }
    EXPECT_FALSE(service.Running());
    EXPECT_EQ(SharedGdipToken()->Token(), 0u);
    {
        GDIpShape path;
        EXPECT_TRUE(service.Running());
        EXPECT_NE(SharedMouseTracker(), firstTracker);  // a new tracker at each start
    }
    EXPECT_FALSE(service.Running());
    EXPECT_EQ(gLoads, 2);
}

TEST(GdipToken, AnImageHoldingGdiplusKeepsItRunningAfterTheLastShape) {
    auto& service = GdiplusService::Instance();
    ASSERT_FALSE(service.Running());
    ULONG_PTR image = 0;
    ASSERT_TRUE(service.Start(image));
    {
        GDIpShape path;
        EXPECT_TRUE(path.AppendRectangleToPath(0, 0, 10, 10));
    }
    EXPECT_TRUE(service.Running());
    EXPECT_NE(service.Api(image), nullptr);
    service.Stop(image);
    EXPECT_FALSE(service.Running());
}

TEST(GdipToken, WithoutGdiplusNothingIsMadeAndNoEventIsRaised) {
    ASSERT_FALSE(GdiplusService::Instance().Running());
    LibraryScope missing("vantrel_no_gdiplus.dll");
    GDIpShape path;
    GDIpPenBrush penBrush;
    int changes = 0;
    path.Changed = [&] { ++changes; };
    EXPECT_EQ(SharedGdipToken()->Token(), 0u);
    EXPECT_FALSE(path.AppendRectangleToPath(0, 0, 10, 10));
    EXPECT_FALSE(path.AppendStringToPath(0, 0, L"", L"Arial", 10, 0));
    EXPECT_FALSE(path.AppendPathToPath(nullptr, false));
    path.Reset(1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(path.Handle(), nullptr);
    EXPECT_EQ(penBrush.CreateSolidBrush(0xFF000000u), nullptr);
    EXPECT_EQ(penBrush.CreatePen(1, 0, 0xFF000000u), nullptr);
    EXPECT_EQ(penBrush.BrushType(), -1);
}

TEST(GdipToken, AFailedStartIsRetriedOnlyOnceTheUsersAreGone) {
    ASSERT_FALSE(GdiplusService::Instance().Running());
    {
        LibraryScope missing("vantrel_no_gdiplus.dll");
        GDIpShape first;
        {
            LibraryScope present(missing.old.c_str());
            GDIpShape second;  // users remain: no retry
            EXPECT_EQ(SharedGdipToken()->Token(), 0u);
            EXPECT_FALSE(second.AppendRectangleToPath(0, 0, 5, 5));
        }
    }
    GDIpShape later;  // the count fell to 0: this one starts GDI+
    EXPECT_NE(SharedGdipToken()->Token(), 0u);
    EXPECT_TRUE(later.AppendRectangleToPath(0, 0, 5, 5));
}

TEST(GdipToken, AnIncompleteVectorTableReadsAsNoGdiplusWhileImagesStillWork) {
    auto& service = GdiplusService::Instance();
    ASSERT_FALSE(service.Running());
    FilterScope filter(&DropCreatePath);
    ULONG_PTR image = 0;
    ASSERT_TRUE(service.Start(image));
    EXPECT_NE(service.Api(image), nullptr);
    EXPECT_EQ(service.ShapeApi(image), nullptr);
    {
        GDIpShape path;
        EXPECT_EQ(SharedGdipToken()->Token(), 0u);
        EXPECT_FALSE(path.AppendEllipseToPath(0, 0, 10, 10));
    }
    EXPECT_TRUE(service.Running());  // the shapes gave back their start
    EXPECT_EQ(service.References(), 1);
    service.Stop(image);
    EXPECT_FALSE(service.Running());
}
