// One GDI+ path with builders that append figures to it, queries (bounds, point hit test, a GDI
// region) and drawing with a given pen and brush. Changed is raised by Reset and by every
// builder that got past its checks, also when GDI+ refused the figure; the first builder on a new
// object makes the path through Reset and so raises Changed twice.
//
// Coordinates are 32-bit floats; angles are degrees, clockwise from the x axis as GDI+ measures
// them. A points buffer is a run of PointF.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/alpha/cGDIpToken.h"
#include "imaging/gdiplus_owner.h"

namespace controls {

class GDIpShape {
public:
    using GpPath = imaging::gdip::GpPath;
    using GpPen = imaging::gdip::GpPen;
    using GpBrush = imaging::gdip::GpBrush;
    using GpMatrix = imaging::gdip::GpMatrix;
    using GpGraphics = imaging::gdip::GpGraphics;
    using PointF = imaging::gdip::PointF;

    GDIpShape();
    ~GDIpShape();
    GDIpShape(const GDIpShape&) = delete;
    GDIpShape& operator=(const GDIpShape&) = delete;

    std::function<void()> Changed;

    bool AppendArcToPath(float x, float y, float arcWidth, float arcHeight, float StartAngle, float ArcAngle,
                         bool AppendMarker = false);
    bool AppendBezierToPath(float X1, float Y1, float CtrlPtX1, float CtrlPtY1, float CtrlPtX2,
                            float CtrlPtY2, float X2, float Y2, bool AppendMarker = false);
    bool AppendBeziersToPath(const PointF* PointsBuffer, int32_t PointsCount, bool AppendMarker = false);
    bool AppendCurvesToPath(const PointF* PointsBuffer, int32_t PointsCount, float Tension,
                            bool AppendMarker = false);
    bool AppendLineToPath(float X1, float Y1, float X2, float Y2, bool AppendMarker = false);
    bool AppendLinesToPath(const PointF* PointsBuffer, int32_t PointsCount, bool AppendMarker = false);
    bool AppendEllipseToPath(int32_t x, int32_t y, int32_t Width, int32_t Height, bool AppendMarker = false);
    bool AppendPathToPath(GpPath* gdiPlus_Path, bool ConnectToAnyExistingPath, bool AppendMarker = false);
    bool AppendRectangleToPath(float x, float y, float Width, float Height, bool AppendMarker = false);
    bool AppendParallelogramToPath(float x, float y, float Width, float Height, bool Vertical,
                                   bool AppendMarker = false);
    bool AppendPieToPath(float x, float y, float Width, float Height, float StartAngle, float ArcAngle,
                         bool AppendMarker = false);
    bool AppendPolygonsToPath(const PointF* PointsBuffer, int32_t PointsCount, bool AppendMarker = false);
    // A regular polygon in the box; angle 0 points straight up and angles grow clockwise.
    bool AppendPrimitivePolygonToPath(float x, float y, int32_t PolygonSideCount, int32_t Width,
                                      int32_t Height, float StartingAngle, bool AppendMarker = false);
    bool AppendRoundRectangleToPath(float x, float y, float Width, float Height, float WidthEllipse,
                                    float HeightEllipse, bool AppendMarker = false);
    bool AppendTrapezoidToPath(float x, float y, float Width, float Height, bool Vertical,
                               bool AppendMarker = false);
    bool AppendWaveToPath(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t CrestHeight,
                          int32_t WaveCount, bool AppendMarker = false);
    // fontStyle: 1 bold, 2 italic, 4 underline, 8 strikeout.
    bool AppendStringToPath(float x, float y, const std::wstring& theString, const std::wstring& FontName,
                            float FontSize, int32_t fontStyle);

    bool BoundsSimple(float& Left, float& Top, float& Width, float& Height, GpMatrix* matrix = nullptr,
                      GpPen* pen = nullptr) const;
    // Bounds of the figures joined into one outline: tighter than BoundsSimple for overlapping figures.
    bool BoundsSnug(float& Left, float& Top, float& Width, float& Height, GpMatrix* matrix = nullptr,
                    GpPen* pen = nullptr) const;
    void ClearMarkers();
    // Appends this path to the other object's path, joined to its current figure.
    bool ClonePath(GDIpShape* PathObject) const;
    bool ClosePath(bool CloseAllPaths);
    // A GDI region of the path moved by the offsets, then transformed; the caller deletes it.
    HRGN ConvertPathToRegionGDI(float PathOffsetX, float PathOffsetY,
                                GpMatrix* TransformMatrix = nullptr) const;
    GpPath* Handle() const noexcept { return path_.get(); }
    bool MouseOverPath(float x, float y, float PathOffsetX = 0, float PathOffsetY = 0,
                       GpMatrix* TransformationMatrix = nullptr) const;
    // FillType 0: alternate; any other value: winding.
    void Reset(int32_t FillType = 1);
    // Fills with the brush, then outlines with the pen. PathWidth/PathHeight other than 0 scale the
    // path to that size; the offsets move it (after the matrix, scaled with it).
    void Render(HDC hdc, GpPen* OutlinePen, GpBrush* FillBrush, float PathOffsetX = 0, float PathOffsetY = 0,
                float PathWidth = 0, float PathHeight = 0, GpGraphics* GDIplusHGraphicsHandle = nullptr,
                int32_t Interpolation = 0, GpMatrix* GDIplusTransformMatrix = nullptr);

    // The path's points and their GDI+ point types; false with fewer than 2 points.
    bool GetPathPoints(std::vector<PointF>& points, std::vector<uint8_t>& types) const;

private:
    const imaging::GdiplusShapeApi* shapes() const;
    const imaging::GdiplusApi* images() const;
    void RaiseChanged();
    // The common start of the builders: GDI+ running and a path (made through Reset).
    const imaging::GdiplusShapeApi* BeginBuilder();
    bool EndBuilder(const imaging::GdiplusShapeApi* api, imaging::gdip::Status status, bool AppendMarker);
    // A builder whose whole work is add(api, path), a status, between the two above.
    template <class Add>
    bool Build(Add add, bool AppendMarker);
    bool AddSlantedQuad(float x, float y, float Width, float Height, bool Vertical, bool trapezoid,
                        bool AppendMarker);

    GdipTokenRef token_;  // held until the path has gone
    imaging::GdipPath path_;
};

// The slant of the parallelogram and the trapezoid: halved from the starting side while not below
// the compared side, then once more; 0 when the compared side is 0 or less.
float SlantOf(float Width, float Height, bool Vertical);
// The points of a regular polygon, closing point included.
std::vector<imaging::gdip::PointF> PrimitivePolygonPoints(float x, float y, int32_t PolygonSideCount,
                                                          int32_t Width, int32_t Height, float StartingAngle);
// The points of a wave (3 per wave plus the start), for connected cubic Beziers.
std::vector<imaging::gdip::PointF> WavePoints(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2,
                                              int32_t CrestHeight, int32_t WaveCount);

}  // namespace controls
