#include "imaging/gdiplus_service.h"

#include "imaging/parsers_win.h"
#include "runtime/handles.h"

namespace imaging {

GdiplusService& GdiplusService::Instance() {
    static GdiplusService service;
    return service;
}

bool GdiplusService::Available() const {
    return HasDllExport(library_, "GdiplusStartup");
}

bool GdiplusService::Start(ULONG_PTR& token) {
    if (token_ != 0) {
        ++references_;
        token = token_;
        return true;
    }
    token = 0;
    // The library stays loaded once GDI+ has run: its helper thread may outlive the shut-down.
    rt::Library loaded(LoadLibraryA(library_.c_str()));
    if (!loaded) return false;
    const HMODULE module = loaded.get();
    if (module_ == module) loaded.reset();  // already held from an earlier start
    using StartupFn = gdip::Status(WINAPI*)(ULONG_PTR*, const gdip::StartupInput*, void*);
    auto startup = reinterpret_cast<StartupFn>(GetProcAddress(module, "GdiplusStartup"));
    auto shutdown = reinterpret_cast<void(WINAPI*)(ULONG_PTR)>(GetProcAddress(module, "GdiplusShutdown"));
    GdiplusApi api;
    bool complete = startup && shutdown;
#define VANTREL_GDIP_LOAD(name, type)                                 \
    api.name = reinterpret_cast<type>(GetProcAddress(module, #name)); \
    if (!api.name) complete = false;
    VANTREL_GDIP_FUNCTIONS(VANTREL_GDIP_LOAD)
#undef VANTREL_GDIP_LOAD
    // The vector table is judged on its own: a gap there leaves the images working.
    GdiplusShapeApi shapes;
#define VANTREL_GDIP_LOAD(name, type) shapes.name = reinterpret_cast<type>(GetProcAddress(module, #name));
    VANTREL_GDIP_SHAPE_FUNCTIONS(VANTREL_GDIP_LOAD)
#undef VANTREL_GDIP_LOAD
    if (complete && filter_) filter_(api, shapes);
    bool shapesComplete = true;
#define VANTREL_GDIP_CHECK(name, type) \
    if (!shapes.name) shapesComplete = false;
    VANTREL_GDIP_SHAPE_FUNCTIONS(VANTREL_GDIP_CHECK)
#undef VANTREL_GDIP_CHECK
    ULONG_PTR started = 0;
    gdip::StartupInput input;
    if (!complete || startup(&started, &input, nullptr) != gdip::Ok || started == 0) return false;
    loaded.release();
    module_ = module;
    token_ = started;
    shutdown_ = shutdown;
    api_ = api;
    shapeApi_ = shapes;
    shapesComplete_ = shapesComplete;
    references_ = 1;
    token = token_;
    return true;
}

void GdiplusService::Stop(ULONG_PTR token) {
    if (token == 0 || token != token_ || references_ <= 0) return;
    if (--references_ > 0) return;
    shutdown_(token_);
    token_ = 0;
    shutdown_ = nullptr;
    api_ = GdiplusApi{};
    shapeApi_ = GdiplusShapeApi{};
    shapesComplete_ = false;
}

const GdiplusApi* GdiplusService::Api(ULONG_PTR token) const {
    return token != 0 && token == token_ ? &api_ : nullptr;
}

const GdiplusShapeApi* GdiplusService::ShapeApi(ULONG_PTR token) const {
    return token != 0 && token == token_ && shapesComplete_ ? &shapeApi_ : nullptr;
}

GdiplusSession::GdiplusSession(ULONG_PTR lentToken) {
    GdiplusService& service = GdiplusService::Instance();
    if (lentToken != 0) {
        token_ = lentToken;
    } else {
        if (!service.Available() || !service.Start(token_)) return;
        own_ = true;
    }
    api_ = service.Api(token_);
}

GdiplusSession::~GdiplusSession() {
    if (own_) GdiplusService::Instance().Stop(token_);
}

}  // namespace imaging
