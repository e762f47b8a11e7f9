#include "controls/alpha/cGDIpToken.h"

#include "controls/alpha/cMouseExit.h"

namespace controls {

cGDIpToken::cGDIpToken() {
    StartGdiPlus();
}

cGDIpToken::~cGDIpToken() = default;

void cGDIpToken::StartGdiPlus() {
    auto& service = imaging::GdiplusService::Instance();
    ULONG_PTR started = 0;
    if (service.Available() && service.Start(started)) {
        if (service.ShapeApi(started)) {
            token_ = started;
        } else {
            // Images may draw, but there are no vector objects: give the start back.
            service.Stop(started);
            token_ = kFailed;
        }
    } else {
        token_ = kFailed;
    }
    SharedMouseTracker() = cMouseExit::New();
}

void cGDIpToken::StopGdiPlus() {
    if (Token() != 0) imaging::GdiplusService::Instance().Stop(token_);
    token_ = 0;
    version_ = 0;
}

void cGDIpToken::AddRef() {
    if (token_ == 0) StartGdiPlus();
    ++references_;
}

void cGDIpToken::RemoveRef() {
    if (--references_ == 0) StopGdiPlus();
}

const imaging::GdiplusApi* cGDIpToken::Images() const {
    return Token() ? imaging::GdiplusService::Instance().Api(token_) : nullptr;
}

const imaging::GdiplusShapeApi* cGDIpToken::Shapes() const {
    return Token() ? imaging::GdiplusService::Instance().ShapeApi(token_) : nullptr;
}

std::shared_ptr<cGDIpToken>& SharedGdipToken() {
    static std::shared_ptr<cGDIpToken> token;
    return token;
}

std::shared_ptr<cMouseExit>& SharedMouseTracker() {
    static std::shared_ptr<cMouseExit> tracker;
    return tracker;
}

GdipTokenRef::GdipTokenRef() {
    auto& shared = SharedGdipToken();
    if (!shared) shared = std::make_shared<cGDIpToken>();
    token_ = shared;
    token_->AddRef();
}

GdipTokenRef::~GdipTokenRef() {
    token_->RemoveRef();
}

}  // namespace controls
