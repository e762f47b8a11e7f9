#include "controls/alpha/GDIpShape.h"

#include <algorithm>
#include <cmath>

#include "runtime/lifetime.h"

namespace controls {

namespace gdip = imaging::gdip;

namespace {

constexpr BYTE kPointStart = 0, kPointLine = 1, kPointBezier = 3, kPointTypeMask = 7, kPointClose = 0x80;

// Nearest whole number, halves to even.
long Nint(float v) {
    return std::lrint(v);
}

// The path's bounds as drawn with the matrix and pen; all 0 when GDI+ gives none.
void WorldBounds(const imaging::GdiplusShapeApi& api, gdip::GpPath* path, gdip::GpMatrix* matrix,
                 gdip::GpPen* pen, float& Left, float& Top, float& Width, float& Height) {
    gdip::RectF r{};
    if (api.GdipGetPathWorldBounds(path, &r, matrix, pen) != gdip::Ok) r = {};
    Left = r.X;
    Top = r.Y;
    Width = r.Width;
    Height = r.Height;
}

// A copy of source, or the identity without one.
bool MakeMatrix(const imaging::GdiplusShapeApi* api, imaging::GdipMatrix& m, gdip::GpMatrix* source) {
    const gdip::Status s =
        source ? api->GdipCloneMatrix(source, m.put(api)) : api->GdipCreateMatrix(m.put(api));
    if (s != gdip::Ok) m.release();
    return m.get() != nullptr;
}

}  // namespace

float SlantOf(float Width, float Height, bool Vertical) {
    float s = Vertical ? Width : Height;
    const float compared = Vertical ? Height : Width;
    if (!(compared > 0)) return 0;  // halving could never get below it
    while (!(s < compared)) s /= 2;
    return s / 2;
}

std::vector<gdip::PointF> PrimitivePolygonPoints(float x, float y, int32_t PolygonSideCount, int32_t Width,
                                                 int32_t Height, float StartingAngle) {
    std::vector<gdip::PointF> points;
    if (PolygonSideCount < 2 || PolygonSideCount > 360) return points;
    const float rx = static_cast<float>(Width) / 2, ry = static_cast<float>(Height) / 2;
    const float cx = x + rx, cy = y + ry;
    const double k = std::atan(1.0) * 4 / 180;
    const double step = (360.0 / PolygonSideCount) * k;
    double a = StartingAngle != 0 ? StartingAngle * k : step;
    points.reserve(static_cast<size_t>(PolygonSideCount) + 1);
    for (int32_t i = 1; i <= PolygonSideCount; ++i) {
        points.push_back(
            {cx + rx * static_cast<float>(std::sin(a)), cy - ry * static_cast<float>(std::cos(a))});
        a += step;
    }
    points.push_back(points.front());
    return points;
}

std::vector<gdip::PointF> WavePoints(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t CrestHeight,
                                     int32_t WaveCount) {
    std::vector<gdip::PointF> p;
    if (WaveCount < 1) return p;
    const float x1 = static_cast<float>(X1), y1 = static_cast<float>(Y1);
    const float dx = static_cast<float>(X2 - X1), dy = static_cast<float>(Y2 - Y1);
    const float step = 1.0f / static_cast<float>(WaveCount), half = step * 0.5f;
    const float c = 3.0f * static_cast<float>(CrestHeight);
    const size_t n = 3 * static_cast<size_t>(WaveCount);
    p.resize(n + 1);
    p[0] = {x1, y1};
    float t = 0;
    for (int32_t j = 0; j < WaveCount; ++j) {
        const size_t i = 3 * static_cast<size_t>(j) + 1;
        t += step;
        if (X2 != X1) {
            p[i] = {x1 + (t - half) * dx, y1 + c + dy * 0.5f};
            p[i + 1] = {p[i].X, y1 - c + dy * 0.5f};
        } else {
            p[i] = {x1 + c, y1 + (t - half) * dy};
            p[i + 1] = {x1 - c, p[i].Y};
        }
        p[i + 2] = {x1 + dx * t, y1 + dy * t};
    }
    p[n] = {static_cast<float>(X2), static_cast<float>(Y2)};
    return p;
}

GDIpShape::GDIpShape() = default;

GDIpShape::~GDIpShape() = default;

const imaging::GdiplusShapeApi* GDIpShape::shapes() const {
    return token_->Shapes();
}
const imaging::GdiplusApi* GDIpShape::images() const {
    return token_->Images();
}

void GDIpShape::RaiseChanged() {
    if (!Changed) return;
    rt::HandlerScope scope;
    auto handler = Changed;  // the handler may assign another one
    handler();
}

const imaging::GdiplusShapeApi* GDIpShape::BeginBuilder() {
    auto* api = shapes();
    if (api && !path_) Reset(1);
    return api;
}

bool GDIpShape::EndBuilder(const imaging::GdiplusShapeApi* api, gdip::Status status, bool AppendMarker) {
    const bool ok = status == gdip::Ok && path_;
    if (ok && AppendMarker) api->GdipSetPathMarker(path_.get());
    RaiseChanged();
    return ok;
}

namespace {
constexpr gdip::Status kNoPath = 1;  // GenericError: the path could not be made
}

template <class Add>
bool GDIpShape::Build(Add add, bool AppendMarker) {
    auto* api = BeginBuilder();
    if (!api) return false;
    return EndBuilder(api, path_ ? add(*api, path_.get()) : kNoPath, AppendMarker);
}

void GDIpShape::Reset(int32_t FillType) {
    auto* api = shapes();
    if (!api) return;
    const INT mode = FillType == 0 ? gdip::FillModeAlternate : gdip::FillModeWinding;
    if (path_) {
        api->GdipResetPath(path_.get());
        api->GdipSetPathFillMode(path_.get(), mode);
    } else if (api->GdipCreatePath(mode, path_.put(api)) != gdip::Ok) {
        path_.release();
    }
    RaiseChanged();
}

bool GDIpShape::AppendArcToPath(float x, float y, float arcWidth, float arcHeight, float StartAngle,
                                float ArcAngle, bool AppendMarker) {
    return Build(
        [&](auto& api, GpPath* path) {
            return api.GdipAddPathArc(path, x, y, arcWidth, arcHeight, StartAngle, ArcAngle);
        },
        AppendMarker);
}

bool GDIpShape::AppendBezierToPath(float X1, float Y1, float CtrlPtX1, float CtrlPtY1, float CtrlPtX2,
                                   float CtrlPtY2, float X2, float Y2, bool AppendMarker) {
    return Build(
        [&](auto& api, GpPath* path) {
            return api.GdipAddPathBezier(path, X1, Y1, CtrlPtX1, CtrlPtY1, CtrlPtX2, CtrlPtY2, X2, Y2);
        },
        AppendMarker);
}

bool GDIpShape::AppendBeziersToPath(const PointF* PointsBuffer, int32_t PointsCount, bool AppendMarker) {
    if (!shapes() || !PointsBuffer || PointsCount <= 0) return false;
    return Build(
        [&](auto& api, GpPath* path) { return api.GdipAddPathBeziers(path, PointsBuffer, PointsCount); },
        AppendMarker);
}

bool GDIpShape::AppendCurvesToPath(const PointF* PointsBuffer, int32_t PointsCount, float Tension,
                                   bool AppendMarker) {
    if (!shapes() || !PointsBuffer || PointsCount <= 0) return false;
    return Build(
        [&](auto& api, GpPath* path) {
            return api.GdipAddPathCurve2(path, PointsBuffer, PointsCount, Tension);
        },
        AppendMarker);
}

bool GDIpShape::AppendLineToPath(float X1, float Y1, float X2, float Y2, bool AppendMarker) {
    return Build([&](auto& api, GpPath* path) { return api.GdipAddPathLine(path, X1, Y1, X2, Y2); },
                 AppendMarker);
}

bool GDIpShape::AppendLinesToPath(const PointF* PointsBuffer, int32_t PointsCount, bool AppendMarker) {
    if (!shapes() || !PointsBuffer || PointsCount <= 0) return false;
    return Build(
        [&](auto& api, GpPath* path) { return api.GdipAddPathLine2(path, PointsBuffer, PointsCount); },
        AppendMarker);
}

bool GDIpShape::AppendEllipseToPath(int32_t x, int32_t y, int32_t Width, int32_t Height, bool AppendMarker) {
    return Build([&](auto& api, GpPath* path) { return api.GdipAddPathEllipseI(path, x, y, Width, Height); },
                 AppendMarker);
}

bool GDIpShape::AppendPathToPath(GpPath* gdiPlus_Path, bool ConnectToAnyExistingPath, bool AppendMarker) {
    auto* api = shapes();
    if (!api) return false;
    INT count = 0;
    if (!gdiPlus_Path || api->GdipGetPointCount(gdiPlus_Path, &count) != gdip::Ok) count = 0;
    if (count < 2) {
        RaiseChanged();
        return false;
    }
    return Build(
        [&](auto& api, GpPath* path) {
            return api.GdipAddPathPath(path, gdiPlus_Path, ConnectToAnyExistingPath);
        },
        AppendMarker);
}

bool GDIpShape::AppendRectangleToPath(float x, float y, float Width, float Height, bool AppendMarker) {
    return Build([&](auto& api, GpPath* path) { return api.GdipAddPathRectangle(path, x, y, Width, Height); },
                 AppendMarker);
}

namespace {
// The points as one closed figure.
gdip::Status AddClosedFigure(const imaging::GdiplusShapeApi& api, gdip::GpPath* path,
                             const gdip::PointF* points, INT count) {
    const gdip::Status status = api.GdipAddPathLine2(path, points, count);
    return status == gdip::Ok ? api.GdipClosePathFigure(path) : status;
}
}  // namespace

bool GDIpShape::AddSlantedQuad(float x, float y, float Width, float Height, bool Vertical, bool trapezoid,
                               bool AppendMarker) {
    const float s = SlantOf(Width, Height, Vertical);
    PointF p[5];
    if (!Vertical) {
        p[0] = {x, y + Height};
        p[1] = {x + s, y};
        p[2] = trapezoid ? PointF{x + Width - s, y} : PointF{x + Width, y};
        p[3] = trapezoid ? PointF{x + Width, y + Height} : PointF{x + Width - s, y + Height};
    } else {
        p[0] = {x, y};
        p[1] = {x + Width, y + s};
        p[2] = trapezoid ? PointF{x + Width, y + Height - s} : PointF{x + Width, y + Height};
        p[3] = trapezoid ? PointF{x, y + Height} : PointF{x, y + Height - s};
    }
    p[4] = p[0];
    return Build([&](auto& api, GpPath* path) { return AddClosedFigure(api, path, p, 5); }, AppendMarker);
}

bool GDIpShape::AppendParallelogramToPath(float x, float y, float Width, float Height, bool Vertical,
                                          bool AppendMarker) {
    return AddSlantedQuad(x, y, Width, Height, Vertical, false, AppendMarker);
}

bool GDIpShape::AppendTrapezoidToPath(float x, float y, float Width, float Height, bool Vertical,
                                      bool AppendMarker) {
    return AddSlantedQuad(x, y, Width, Height, Vertical, true, AppendMarker);
}

bool GDIpShape::AppendPieToPath(float x, float y, float Width, float Height, float StartAngle, float ArcAngle,
                                bool AppendMarker) {
    return Build(
        [&](auto& api, GpPath* path) {
            return api.GdipAddPathPie(path, x, y, Width, Height, StartAngle, ArcAngle);
        },
        AppendMarker);
}

bool GDIpShape::AppendPolygonsToPath(const PointF* PointsBuffer, int32_t PointsCount, bool AppendMarker) {
    if (!shapes() || !PointsBuffer || PointsCount <= 0) return false;
    return Build(
        [&](auto& api, GpPath* path) { return api.GdipAddPathPolygon(path, PointsBuffer, PointsCount); },
        AppendMarker);
}

bool GDIpShape::AppendPrimitivePolygonToPath(float x, float y, int32_t PolygonSideCount, int32_t Width,
                                             int32_t Height, float StartingAngle, bool AppendMarker) {
    if (!shapes() || PolygonSideCount < 2 || PolygonSideCount > 360) return false;
    const std::vector<PointF> p =
        PrimitivePolygonPoints(x, y, PolygonSideCount, Width, Height, StartingAngle);
    return Build(
        [&](auto& api, GpPath* path) {
            return AddClosedFigure(api, path, p.data(), static_cast<INT>(p.size()));
        },
        AppendMarker);
}

bool GDIpShape::AppendRoundRectangleToPath(float x, float y, float Width, float Height, float WidthEllipse,
                                           float HeightEllipse, bool AppendMarker) {
    auto* api = BeginBuilder();
    if (!api) return false;
    const float w = WidthEllipse, h = HeightEllipse;
    const struct {
        float x, y, start;
    } arcs[4] = {
        {x, y, 180}, {x + Width - w, y, 270}, {x + Width - w, y + Height - h, 0}, {x, y + Height - h, 90}};
    for (int i = 0; i < 4; ++i) {
        const gdip::Status s =
            path_ ? api->GdipAddPathArc(path_.get(), arcs[i].x, arcs[i].y, w, h, arcs[i].start, 90) : kNoPath;
        if (s != gdip::Ok && i < 3) {
            Reset(1);  // a partial outline would be worse than none
            return false;
        }
    }
    return EndBuilder(api, api->GdipClosePathFigure(path_.get()), AppendMarker);
}

bool GDIpShape::AppendWaveToPath(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t CrestHeight,
                                 int32_t WaveCount, bool AppendMarker) {
    if (!shapes() || WaveCount < 1) return false;
    const std::vector<PointF> p = WavePoints(X1, Y1, X2, Y2, CrestHeight, WaveCount);
    return Build(
        [&](auto& api, GpPath* path) {
            return api.GdipAddPathBeziers(path, p.data(), static_cast<INT>(p.size()));
        },
        AppendMarker);
}

bool GDIpShape::AppendStringToPath(float x, float y, const std::wstring& theString,
                                   const std::wstring& FontName, float FontSize, int32_t fontStyle) {
    auto* api = shapes();
    if (!api) return false;
    if (theString.empty()) {
        RaiseChanged();
        return false;
    }
    imaging::GdipFontFamily family(api);
    if (api->GdipCreateFontFamilyFromName(FontName.c_str(), nullptr, family.put()) != gdip::Ok || !family) {
        family.release();
        if (api->GdipGetGenericFontFamilySerif(family.put()) != gdip::Ok || !family) return false;
    }
    BeginBuilder();
    gdip::Status status = kNoPath;
    if (path_) {
        // GDI+ may refuse a missing format; the generic default gives the same layout.
        gdip::GpStringFormat* format = nullptr;
        api->GdipStringFormatGetGenericDefault(&format);
        const gdip::RectF layout{x, y, 0, 0};
        status = api->GdipAddPathString(path_.get(), theString.c_str(), static_cast<INT>(theString.size()),
                                        family.get(), fontStyle & 15, FontSize, &layout, format);
    }
    family.reset();
    return EndBuilder(api, status, false);
}

bool GDIpShape::BoundsSimple(float& Left, float& Top, float& Width, float& Height, GpMatrix* matrix,
                             GpPen* pen) const {
    auto* api = shapes();
    if (!api || !path_) return false;
    WorldBounds(*api, path_.get(), matrix, pen, Left, Top, Width, Height);
    return true;
}

bool GDIpShape::GetPathPoints(std::vector<PointF>& points, std::vector<uint8_t>& types) const {
    auto* api = shapes();
    INT count = 0;
    if (!api || !path_ || api->GdipGetPointCount(path_.get(), &count) != gdip::Ok || count < 2) return false;
    points.assign(static_cast<size_t>(count), PointF{});
    types.assign(static_cast<size_t>(count), 0);
    return api->GdipGetPathPoints(path_.get(), points.data(), count) == gdip::Ok &&
           api->GdipGetPathTypes(path_.get(), types.data(), count) == gdip::Ok;
}

bool GDIpShape::BoundsSnug(float& Left, float& Top, float& Width, float& Height, GpMatrix* matrix,
                           GpPen* pen) const {
    auto* api = shapes();
    if (!api || !path_) return false;
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    if (!GetPathPoints(points, types)) return BoundsSimple(Left, Top, Width, Height, matrix, pen);
    // Join every figure into one, so that the outline covers them all.
    const size_t last = types.size() - 1;
    for (size_t i = 1; i <= last; ++i) {
        const BYTE base = types[i] & kPointTypeMask;
        if (base == kPointStart) {
            types[i] = static_cast<uint8_t>((types[i] & ~kPointTypeMask) | kPointLine);
        } else if (base == kPointBezier) {
            i = std::min(i + 2, last);
        }
        types[i] = static_cast<uint8_t>(types[i] & ~kPointClose);
    }
    types[last] = static_cast<uint8_t>(types[last] | kPointClose);
    imaging::GdipPath joined(api);
    if (api->GdipCreatePath2(points.data(), types.data(), static_cast<INT>(points.size()),
                             gdip::FillModeWinding, joined.put()) != gdip::Ok ||
        !joined.get())
        return BoundsSimple(Left, Top, Width, Height, matrix, pen);
    // Where the outline is not available, the flattened figure has the same bounds.
    if (api->GdipWindingModeOutline(joined.get(), nullptr, 3.0f) == gdip::NotImplemented)
        api->GdipFlattenPath(joined.get(), nullptr, 3.0f);
    WorldBounds(*api, joined.get(), matrix, pen, Left, Top, Width, Height);
    return true;
}

void GDIpShape::ClearMarkers() {
    auto* api = shapes();
    if (api && path_) api->GdipClearPathMarkers(path_.get());
}

bool GDIpShape::ClonePath(GDIpShape* PathObject) const {
    if (!PathObject) return false;
    return PathObject->AppendPathToPath(path_.get(), true, false);
}

bool GDIpShape::ClosePath(bool CloseAllPaths) {
    auto* api = shapes();
    if (!api || !path_) return false;
    return (CloseAllPaths ? api->GdipClosePathFigures(path_.get()) : api->GdipClosePathFigure(path_.get())) ==
           gdip::Ok;
}

HRGN GDIpShape::ConvertPathToRegionGDI(float PathOffsetX, float PathOffsetY,
                                       GpMatrix* TransformMatrix) const {
    auto* api = shapes();
    if (!api || !path_) return nullptr;
    imaging::GdipPath copy(api);
    gdip::GpPath* use = path_.get();
    if (Nint(PathOffsetX) != 0 || Nint(PathOffsetY) != 0) {
        imaging::GdipMatrix m(api);
        if (!MakeMatrix(api, m, TransformMatrix)) return nullptr;
        api->GdipTranslateMatrix(m.get(), PathOffsetX, PathOffsetY, gdip::MatrixOrderPrepend);
        if (api->GdipClonePath(path_.get(), copy.put()) != gdip::Ok || !copy.get()) return nullptr;
        api->GdipTransformPath(copy.get(), m.get());
        use = copy.get();
    } else if (TransformMatrix) {
        if (api->GdipClonePath(path_.get(), copy.put()) != gdip::Ok || !copy.get()) return nullptr;
        api->GdipTransformPath(copy.get(), TransformMatrix);
        use = copy.get();
    }
    imaging::GdipRegion region(api);
    if (api->GdipCreateRegionPath(use, region.put()) != gdip::Ok || !region) return nullptr;
    HRGN result = nullptr;
    if (api->GdipGetRegionHRgn(region.get(), nullptr, &result) != gdip::Ok) result = nullptr;
    return result;
}

bool GDIpShape::MouseOverPath(float x, float y, float PathOffsetX, float PathOffsetY,
                              GpMatrix* TransformationMatrix) const {
    auto* api = shapes();
    if (!api || !path_) return false;
    imaging::GdipPath copy(api);
    gdip::GpPath* use = path_.get();
    if (TransformationMatrix) {
        if (api->GdipClonePath(path_.get(), copy.put()) != gdip::Ok || !copy.get()) return false;
        api->GdipTransformPath(copy.get(), TransformationMatrix);
        use = copy.get();
    }
    BOOL inside = FALSE;
    if (api->GdipIsVisiblePathPoint(use, x + PathOffsetX, y + PathOffsetY, nullptr, &inside) != gdip::Ok)
        return false;
    return inside != FALSE;
}

void GDIpShape::Render(HDC hdc, GpPen* OutlinePen, GpBrush* FillBrush, float PathOffsetX, float PathOffsetY,
                       float PathWidth, float PathHeight, GpGraphics* GDIplusHGraphicsHandle,
                       int32_t Interpolation, GpMatrix* GDIplusTransformMatrix) {
    auto* api = shapes();
    auto* img = images();
    if (!api || !img || !path_ || (!OutlinePen && !FillBrush)) return;
    imaging::GdipGraphics own(img);
    GpGraphics* g = GDIplusHGraphicsHandle;
    if (!g) {
        if (!hdc || img->GdipCreateFromHDC(hdc, own.put()) != gdip::Ok || !own) return;
        g = own.get();
    }

    if (Interpolation < 0 || Interpolation > 5) Interpolation = 0;
    if (Interpolation == 0) {
        api->GdipSetSmoothingMode(g, gdip::SmoothingModeAntiAlias);
        img->GdipSetPixelOffsetMode(g, gdip::PixelOffsetModeHighQuality);
        Interpolation = 5;
    }
    img->GdipSetInterpolationMode(g, Interpolation + 2);

    imaging::GdipMatrix m(api);
    if (Nint(PathOffsetX) != 0 || Nint(PathOffsetY) != 0) {
        if (!MakeMatrix(api, m, GDIplusTransformMatrix)) return;
        api->GdipTranslateMatrix(m.get(), PathOffsetX, PathOffsetY, gdip::MatrixOrderAppend);
    }
    if (Nint(PathWidth) != 0 || Nint(PathHeight) != 0) {
        if (!m.get() && !MakeMatrix(api, m, GDIplusTransformMatrix)) return;
        float l = 0, t = 0, w = 0, h = 0;
        BoundsSimple(l, t, w, h);
        if (w == 0 || h == 0) return;  // nothing to scale to a size
        api->GdipScaleMatrix(m.get(), PathWidth / w, PathHeight / h, gdip::MatrixOrderAppend);
    }
    if (m.get())
        api->GdipSetWorldTransform(g, m.get());
    else if (GDIplusTransformMatrix)
        api->GdipSetWorldTransform(g, GDIplusTransformMatrix);
    if (FillBrush) api->GdipFillPath(g, FillBrush, path_.get());
    if (OutlinePen) api->GdipDrawPath(g, OutlinePen, path_.get());
}

}  // namespace controls
