// Late-bound calls by member name (IDispatch), CreateObject and GetObject.
//
//   rt::Object wmi = rt::CreateObject("WbemScripting.SWbemLocator");
//   rt::Object svc = wmi.Call("ConnectServer", ".", "root\\cimv2").ToObject();
//   rt::ForEach(svc.Call("ExecQuery", "SELECT * FROM Win32_OperatingSystem").ToObject(),
//               [](rt::Object os) { caption = os.Get("Caption").ToString(); });
//
// Property reads pass DISPATCH_PROPERTYGET|DISPATCH_METHOD: some automation servers answer a
// plain property-get with "not implemented". Failures raise 438 for an unknown member, 429 when an
// object cannot be created and 440 (with the server's text when it gives one) for other failures.
#pragma once

#include <oaidl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/win.h"

namespace rt {

class Object;

// BSTRs to and from the runtime's ANSI text (a null BSTR is the empty text).
std::string FromBstr(BSTR b);
SysString ToBstr(const std::string& text);

// Owner of a VARIANT.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    Variant(const std::string& s);
    Variant(const char* s) : Variant(std::string(s)) {}
    Variant(int32_t i);
    Variant(double d);
    Variant(bool b);
    Variant(const Object& o);
    Variant(const Variant& o);
    Variant(Variant&& o) noexcept;
    Variant& operator=(Variant o) noexcept;
    ~Variant() { VariantClear(&v_); }

    VARTYPE Type() const noexcept { return v_.vt; }
    bool IsEmpty() const noexcept { return v_.vt == VT_EMPTY || v_.vt == VT_NULL; }
    std::string ToString() const;  // raises 13 when it does not convert
    int32_t ToLong() const;
    double ToDouble() const;
    bool ToBool() const;
    Object ToObject() const;  // raises 91 when it holds no object
    VARIANT* get() noexcept { return &v_; }
    const VARIANT* get() const noexcept { return &v_; }

private:
    // A copy changed to the type (VariantChangeType with the flags); raises 13 when it does not convert.
    Variant changedTo(VARTYPE type, USHORT flags = 0) const;
    VARIANT v_;
};

class Object {
public:
    Object() = default;
    explicit Object(ComPtr<IDispatch> d) : d_(std::move(d)) {}
    bool IsNothing() const noexcept { return !d_; }
    IDispatch* get() const noexcept { return d_.get(); }

    Variant Get(const std::string& name, std::vector<Variant> args = {}) const;
    void Let(const std::string& name, const Variant& value) const;
    Variant CallWith(const std::string& name, std::vector<Variant> args) const;
    template <class... A>
    Variant Call(const std::string& name, A&&... args) const {
        return CallWith(name, std::vector<Variant>{Variant(std::forward<A>(args))...});
    }
    template <class... A>
    Variant GetItem(const std::string& name, A&&... args) const {
        return Get(name, std::vector<Variant>{Variant(std::forward<A>(args))...});
    }
    // The dispatch identifier of a member; false when the object has no such member.
    bool HasMember(const std::string& name) const;

private:
    Variant invoke(const std::string& name, WORD flags, std::vector<Variant>& args) const;
    ComPtr<IDispatch> d_;
};

Object CreateObject(const std::string& progId);  // raises 429
Object GetObject(const std::string& moniker);    // e.g. "winmgmts:"; raises 429
// Calls f for each element of a collection (its _NewEnum).
void ForEach(const Object& collection, const std::function<void(const Variant&)>& f);

}  // namespace rt
