#include "runtime/dispatch.h"

#include <algorithm>

#include "runtime/ansi_text.h"
#include "runtime/error.h"

namespace rt {

std::string FromBstr(BSTR b) {
    return b ? Narrow(std::wstring_view(b, SysStringLen(b))) : std::string();
}

SysString ToBstr(const std::string& text) {
    return SysString(SysAllocString(Widen(text).c_str()));
}

Variant::Variant(const std::string& s) {
    VariantInit(&v_);
    std::wstring w = Widen(s);
    v_.vt = VT_BSTR;
    v_.bstrVal = SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
}
Variant::Variant(int32_t i) {
    VariantInit(&v_);
    v_.vt = VT_I4;
    v_.lVal = i;
}
Variant::Variant(double d) {
    VariantInit(&v_);
    v_.vt = VT_R8;
    v_.dblVal = d;
}
Variant::Variant(bool b) {
    VariantInit(&v_);
    v_.vt = VT_BOOL;
    v_.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
}
Variant::Variant(const Object& o) {
    VariantInit(&v_);
    v_.vt = VT_DISPATCH;
    v_.pdispVal = o.get();
    if (v_.pdispVal) v_.pdispVal->AddRef();
}
Variant::Variant(const Variant& o) {
    VariantInit(&v_);
    VariantCopy(&v_, const_cast<VARIANT*>(&o.v_));
}
Variant::Variant(Variant&& o) noexcept {
    v_ = o.v_;
    VariantInit(&o.v_);
}
Variant& Variant::operator=(Variant o) noexcept {
    std::swap(v_, o.v_);
    return *this;
}

Variant Variant::changedTo(VARTYPE type, USHORT flags) const {
    Variant t;
    if (FAILED(VariantChangeType(t.get(), const_cast<VARIANT*>(&v_), flags, type))) Raise(errTypeMismatch);
    return t;
}

std::string Variant::ToString() const {
    if (v_.vt == VT_BSTR) return FromBstr(v_.bstrVal);
    if (v_.vt == VT_EMPTY) return {};
    return FromBstr(changedTo(VT_BSTR, VARIANT_ALPHABOOL).get()->bstrVal);
}
int32_t Variant::ToLong() const {
    return changedTo(VT_I4).get()->lVal;
}
double Variant::ToDouble() const {
    return changedTo(VT_R8).get()->dblVal;
}
bool Variant::ToBool() const {
    return changedTo(VT_BOOL).get()->boolVal != VARIANT_FALSE;
}
Object Variant::ToObject() const {
    IUnknown* unk = nullptr;
    if (v_.vt == VT_DISPATCH)
        unk = v_.pdispVal;
    else if (v_.vt == VT_UNKNOWN)
        unk = v_.punkVal;
    else if (v_.vt == (VT_DISPATCH | VT_BYREF) && v_.ppdispVal)
        unk = *v_.ppdispVal;
    if (!unk) Raise(errObjectVariableNotSet);
    ComPtr<IDispatch> d;
    unk->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(d.put()));
    if (!d) Raise(errObjectDoesNotSupport);
    return Object(std::move(d));
}

bool Object::HasMember(const std::string& name) const {
    if (!d_) return false;
    std::wstring w = Widen(name);
    LPOLESTR names[] = {w.data()};
    DISPID id = 0;
    return SUCCEEDED(d_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
}

Variant Object::invoke(const std::string& name, WORD flags, std::vector<Variant>& args) const {
    if (!d_) Raise(errObjectVariableNotSet, name);
    std::wstring w = Widen(name);
    LPOLESTR names[] = {w.data()};
    DISPID id = 0;
    if (FAILED(d_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        Raise(errObjectDoesNotSupport, name);
    // Arguments go in reverse order.
    std::vector<VARIANT> raw;
    for (auto it = args.rbegin(); it != args.rend(); ++it) raw.push_back(*it->get());
    DISPPARAMS dp{raw.empty() ? nullptr : raw.data(), nullptr, static_cast<UINT>(raw.size()), 0};
    DISPID put = DISPID_PROPERTYPUT;
    if (flags & DISPATCH_PROPERTYPUT) {
        dp.rgdispidNamedArgs = &put;
        dp.cNamedArgs = 1;
    }
    Variant result;
    EXCEPINFO ex{};
    UINT argErr = 0;
    HRESULT hr = d_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &dp, result.get(), &ex, &argErr);
    if (FAILED(hr)) {
        std::string text;
        if (hr == DISP_E_EXCEPTION) {
            if (ex.pfnDeferredFillIn) ex.pfnDeferredFillIn(&ex);
            // The server's strings are ours to free: the description first, so it is declared last.
            const SysString helpFile(ex.bstrHelpFile), source(ex.bstrSource), description(ex.bstrDescription);
            text = FromBstr(description.get());
        }
        if (hr == DISP_E_MEMBERNOTFOUND) Raise(errObjectDoesNotSupport, name);
        if (text.empty()) text = "Automation error";
        Raise(errAutomation, name, text);
    }
    return result;
}

Variant Object::Get(const std::string& name, std::vector<Variant> args) const {
    // Some servers refuse a plain property-get; asking for "property or method" satisfies all.
    return invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}
void Object::Let(const std::string& name, const Variant& value) const {
    std::vector<Variant> args{value};
    invoke(name, DISPATCH_PROPERTYPUT, args);
}
Variant Object::CallWith(const std::string& name, std::vector<Variant> args) const {
    return invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

Object CreateObject(const std::string& progId) {
    EnsureOle();
    CLSID clsid;
    std::wstring w = Widen(progId);
    if (FAILED(CLSIDFromProgID(w.c_str(), &clsid))) Raise(errCannotCreateObject, progId);
    ComPtr<IDispatch> d;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(d.put()));
    if (FAILED(hr) || !d) Raise(errCannotCreateObject, progId);
    return Object(std::move(d));
}

Object GetObject(const std::string& moniker) {
    EnsureOle();
    std::wstring w = Widen(moniker);
    ComPtr<IDispatch> d;
    if (FAILED(CoGetObject(w.c_str(), nullptr, IID_IDispatch, reinterpret_cast<void**>(d.put()))) || !d)
        Raise(errCannotCreateObject, moniker);
    return Object(std::move(d));
}

void ForEach(const Object& collection, const std::function<void(const Variant&)>& f) {
    if (collection.IsNothing()) Raise(errObjectVariableNotSet);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    Variant e;
    HRESULT hr =
        collection.get()->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                 DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, e.get(), nullptr, nullptr);
    if (FAILED(hr)) Raise(errObjectDoesNotSupport, "_NewEnum");
    IUnknown* unk = e.Type() == VT_UNKNOWN    ? e.get()->punkVal
                    : e.Type() == VT_DISPATCH ? e.get()->pdispVal
                                              : nullptr;
    if (!unk) Raise(errObjectDoesNotSupport, "_NewEnum");
    ComPtr<IEnumVARIANT> en;
    unk->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(en.put()));
    if (!en) Raise(errObjectDoesNotSupport, "_NewEnum");
    for (;;) {
        Variant item;
        ULONG got = 0;
        if (en->Next(1, item.get(), &got) != S_OK || got == 0) break;
        f(item);
    }
}

}  // namespace rt
