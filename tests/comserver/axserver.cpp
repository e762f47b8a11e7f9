// A test ActiveX control: enough of the control interfaces for the system's ActiveX host to place
// it in place (a child window painted in one colour), and an IDispatch that takes any member name.
//
// Every call by name is appended as one line to the file named by the environment variable
// VANTREL_AXLOG (read at each call): "Name(arg1,arg2)" for methods and property reads,
// "Name=value" for property writes; host events start with '#' ("#InPlaceActivate", "#Close").
// Booleans are written True/False. A written property reads back its value. The member "Fail"
// fails with an exception whose description is "Test failure". The control is an event source for
// any event interface: the member "Fire" with a dispatch identifier calls that member, without
// arguments, on every sink connected.
//
// DllRegisterServer registers the control for the current user under the ProgIDs listed in the
// environment variable VANTREL_AXPROGIDS (separated by ';'); where the platform does not look at
// per-user classes (Wine), it registers them for the machine as well. DllUnregisterServer removes
// every ProgID registered so (a machine-wide one only while it still names this class), and the
// class.
#include <ole2.h>
#include <olectl.h>
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// {6E1B5C2A-3F4D-4B8E-9A71-2C5D8E0F4A13}
const CLSID CLSID_VantrelAxTest = {
    0x6e1b5c2a, 0x3f4d, 0x4b8e, {0x9a, 0x71, 0x2c, 0x5d, 0x8e, 0x0f, 0x4a, 0x13}};
const char* kClsidText = "{6E1B5C2A-3F4D-4B8E-9A71-2C5D8E0F4A13}";
const char* kWindowClass = "VantrelAxTest";
const COLORREF kColor = RGB(0x21, 0x43, 0x65);

HMODULE g_module = nullptr;
LONG g_live = 0;

std::string EnvVar(const char* name) {
    char buf[4096];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof(buf));
    return n && n < sizeof(buf) ? std::string(buf, n) : std::string();
}

void Log(const std::string& line) {
    std::string path = EnvVar("VANTREL_AXLOG");
    if (path.empty()) return;
    HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    std::string data = line + "\n";
    DWORD written = 0;
    WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(h);
}

std::string Narrow(const wchar_t* w) {
    if (!w) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, w, -1, s.data(), n, nullptr, nullptr);
    return s;
}

std::string Text(const VARIANT& v) {
    VARIANT t;
    VariantInit(&t);
    std::string s;
    if (SUCCEEDED(VariantChangeType(&t, const_cast<VARIANT*>(&v), VARIANT_ALPHABOOL, VT_BSTR)))
        s = Narrow(t.bstrVal);
    else
        s = "?";
    VariantClear(&t);
    return s;
}

// Member names handed out by GetIDsOfNames, shared by all instances: DISPID = position + 1.
std::vector<std::wstring>& Names() {
    static std::vector<std::wstring> names;
    return names;
}

LRESULT CALLBACK ControlWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH b = CreateSolidBrush(kColor);
        FillRect(dc, &ps.rcPaint, b);
        DeleteObject(b);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

class TestControl;

// The one connection point of the control, for whatever interface is asked; its sinks are
// called through IDispatch.
class EventPoint : public IConnectionPoint {
public:
    EventPoint(IUnknown& owner, IConnectionPointContainer& container)
        : owner_(owner), container_(container) {}
    ~EventPoint() {
        for (IDispatch* d : sinks_)
            if (d) d->Release();
    }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != IID_IConnectionPoint) return E_NOINTERFACE;
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return owner_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_.Release(); }
    STDMETHODIMP GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** pp) override {
        *pp = &container_;
        container_.AddRef();
        return S_OK;
    }
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override {
        IDispatch* d = nullptr;
        if (!sink || FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d))) || !d)
            return CONNECT_E_CANNOTCONNECT;
        sinks_.push_back(d);
        *cookie = static_cast<DWORD>(sinks_.size());
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD cookie) override {
        if (cookie == 0 || cookie > sinks_.size() || !sinks_[cookie - 1]) return CONNECT_E_NOCONNECTION;
        std::exchange(sinks_[cookie - 1], nullptr)->Release();
        return S_OK;
    }
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
    void Fire(DISPID id) {
        for (IDispatch* d : std::vector<IDispatch*>(sinks_)) {
            if (!d) continue;
            DISPPARAMS none{};
            d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
        }
    }

private:
    IUnknown& owner_;
    IConnectionPointContainer& container_;
    std::vector<IDispatch*> sinks_;
};

class TestControl : public IDispatch,
                    public IOleObject,
                    public IOleInPlaceObject,
                    public IViewObject2,
                    public IPersistStreamInit,
                    public IOleControl,
                    public IConnectionPointContainer {
public:
    TestControl() { InterlockedIncrement(&g_live); }
    virtual ~TestControl() {
        if (hwnd_) DestroyWindow(hwnd_);
        if (site_) site_->Release();
        if (inplace_) inplace_->Release();
        for (auto& [k, v] : props_) VariantClear(&v);
        InterlockedDecrement(&g_live);
    }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch)
            *ppv = static_cast<IDispatch*>(this);
        else if (riid == IID_IOleObject)
            *ppv = static_cast<IOleObject*>(this);
        else if (riid == IID_IOleInPlaceObject || riid == IID_IOleWindow)
            *ppv = static_cast<IOleInPlaceObject*>(this);
        else if (riid == IID_IViewObject || riid == IID_IViewObject2)
            *ppv = static_cast<IViewObject2*>(this);
        else if (riid == IID_IPersistStreamInit || riid == IID_IPersist)
            *ppv = static_cast<IPersistStreamInit*>(this);
        else if (riid == IID_IOleControl)
            *ppv = static_cast<IOleControl*>(this);
        else if (riid == IID_IConnectionPointContainer)
            *ppv = static_cast<IConnectionPointContainer*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        if (n) *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        auto& table = Names();
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            if (i > 0) continue;  // no named arguments
            for (size_t k = 0; k < table.size(); ++k)
                if (_wcsicmp(table[k].c_str(), names[i]) == 0) ids[i] = static_cast<DISPID>(k + 1);
            if (ids[i] == DISPID_UNKNOWN) {
                table.push_back(names[i]);
                ids[i] = static_cast<DISPID>(table.size());
            }
        }
        return count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* ex, UINT*) override {
        auto& table = Names();
        if (id < 1 || static_cast<size_t>(id) > table.size()) return DISP_E_MEMBERNOTFOUND;
        std::string name = Narrow(table[static_cast<size_t>(id - 1)].c_str());
        std::string key = name;
        for (char& c : key) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        UINT argc = params ? params->cArgs : 0;
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            if (argc < 1) return DISP_E_BADPARAMCOUNT;
            Log(name + "=" + Text(params->rgvarg[0]));
            VARIANT& slot = props_[key];
            VariantClear(&slot);
            VariantCopy(&slot, &params->rgvarg[0]);
            return S_OK;
        }
        std::string line = name + "(";
        for (UINT i = 0; i < argc; ++i) {  // arguments come last first
            if (i) line += ",";
            line += Text(params->rgvarg[argc - 1 - i]);
        }
        line += ")";
        Log(line);
        if (key == "fire" && argc >= 1) {
            VARIANT id;
            VariantInit(&id);
            if (SUCCEEDED(VariantChangeType(&id, &params->rgvarg[argc - 1], 0, VT_I4))) events_.Fire(id.lVal);
        }
        if (key == "fail") {
            if (ex) {
                *ex = EXCEPINFO{};
                ex->scode = E_FAIL;
                ex->bstrSource = SysAllocString(L"VantrelAxTest");
                ex->bstrDescription = SysAllocString(L"Test failure");
            }
            return DISP_E_EXCEPTION;
        }
        if (result) {
            VariantInit(result);
            auto it = props_.find(key);
            if (it != props_.end() && argc == 0) VariantCopy(result, &it->second);
        }
        return S_OK;
    }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override {
        if (site) site->AddRef();
        if (site_) site_->Release();
        site_ = site;
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** site) override {
        if (!site) return E_POINTER;
        *site = site_;
        if (site_) site_->AddRef();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override {
        Log("#Close");
        InPlaceDeactivate();
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT pos) override {
        if (verb == OLEIVERB_INPLACEACTIVATE || verb == OLEIVERB_SHOW || verb == OLEIVERB_UIACTIVATE ||
            verb == OLEIVERB_PRIMARY)
            return activate(site ? site : site_, parent, pos);
        if (verb == OLEIVERB_HIDE) {
            if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
            return S_OK;
        }
        return OLEOBJ_S_INVALIDVERB;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* id) override {
        if (!id) return E_POINTER;
        *id = CLSID_VantrelAxTest;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
    STDMETHODIMP SetExtent(DWORD, SIZEL* size) override {
        if (!size) return E_POINTER;
        extent_ = *size;
        return S_OK;
    }
    STDMETHODIMP GetExtent(DWORD, SIZEL* size) override {
        if (!size) return E_POINTER;
        *size = extent_;
        return S_OK;
    }
    STDMETHODIMP Advise(IAdviseSink*, DWORD* cookie) override {
        if (cookie) *cookie = 1;
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD) override { return S_OK; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override {
        if (!status) return E_POINTER;
        *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                  OLEMISC_SETCLIENTSITEFIRST;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow / IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* hwnd) override {
        if (!hwnd) return E_POINTER;
        *hwnd = hwnd_;
        return hwnd_ ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override {
        if (hwnd_) {
            DestroyWindow(hwnd_);
            hwnd_ = nullptr;
        }
        if (inplace_) {
            inplace_->OnInPlaceDeactivate();
            inplace_->Release();
            inplace_ = nullptr;
        }
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT) override {
        if (pos && hwnd_)
            MoveWindow(hwnd_, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IViewObject2
    STDMETHODIMP Draw(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                      BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override {
        if (!dc || !bounds) return E_INVALIDARG;
        RECT r{bounds->left, bounds->top, bounds->right, bounds->bottom};
        HBRUSH b = CreateSolidBrush(kColor);
        FillRect(dc, &r, b);
        DeleteObject(b);
        return S_OK;
    }
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override {
        return S_FALSE;
    }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD, DWORD, IAdviseSink*) override { return S_OK; }
    STDMETHODIMP GetAdvise(DWORD*, DWORD*, IAdviseSink**) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD, LONG, DVTARGETDEVICE*, LPSIZEL size) override {
        if (!size) return E_POINTER;
        *size = extent_;
        return S_OK;
    }

    // IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* id) override { return GetUserClassID(id); }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM) override { return S_OK; }
    STDMETHODIMP Save(LPSTREAM, BOOL) override { return S_OK; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override {
        if (size) size->QuadPart = 0;
        return S_OK;
    }
    STDMETHODIMP InitNew() override { return S_OK; }

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override {
        if (!info) return E_POINTER;
        info->hAccel = nullptr;
        info->cAccel = 0;
        info->dwFlags = 0;
        return S_OK;
    }
    STDMETHODIMP OnMnemonic(MSG*) override { return S_OK; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
    STDMETHODIMP FreezeEvents(BOOL) override { return S_OK; }

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID, IConnectionPoint** pp) override {
        if (!pp) return E_POINTER;
        *pp = &events_;
        events_.AddRef();
        return S_OK;
    }

private:
    HRESULT activate(IOleClientSite* site, HWND parent, LPCRECT pos) {
        if (hwnd_) {
            ShowWindow(hwnd_, SW_SHOW);
            return S_OK;
        }
        RECT r = pos ? *pos : RECT{0, 0, 100, 100};
        IOleInPlaceSite* ips = nullptr;
        if (site && SUCCEEDED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&ips))) &&
            ips) {
            if (ips->CanInPlaceActivate() != S_OK) {
                ips->Release();
                return E_FAIL;
            }
            ips->OnInPlaceActivate();
            HWND w = nullptr;
            if (SUCCEEDED(ips->GetWindow(&w)) && w) parent = w;
            IOleInPlaceFrame* frame = nullptr;
            IOleInPlaceUIWindow* doc = nullptr;
            RECT p{}, clip{};
            OLEINPLACEFRAMEINFO fi{};
            fi.cb = sizeof(fi);
            if (SUCCEEDED(ips->GetWindowContext(&frame, &doc, &p, &clip, &fi))) {
                if (!pos) r = p;
                if (frame) frame->Release();
                if (doc) doc->Release();
            }
            inplace_ = ips;
        }
        if (!parent) return E_FAIL;
        static bool registered = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = ControlWndProc;
            wc.hInstance = g_module;
            wc.lpszClassName = kWindowClass;
            wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
            return RegisterClassA(&wc) != 0;
        }();
        (void)registered;
        hwnd_ = CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, parent, nullptr, g_module, nullptr);
        Log("#InPlaceActivate");
        return hwnd_ ? S_OK : E_FAIL;
    }

    LONG refs_ = 1;
    HWND hwnd_ = nullptr;
    IOleClientSite* site_ = nullptr;
    IOleInPlaceSite* inplace_ = nullptr;
    SIZEL extent_{2540, 2540};
    std::map<std::string, VARIANT> props_;
    EventPoint events_{*static_cast<IDispatch*>(this), *this};
};

class Factory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* c = new TestControl();
        HRESULT hr = c->QueryInterface(riid, ppv);
        c->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};
Factory g_factory;

// ---- registration (current user only)

bool SetValue(HKEY root, const std::string& path, const char* name, const std::string& value) {
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG r = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

std::string GetValue(HKEY root, const std::string& path, const char* name) {
    char buf[4096];
    DWORD size = sizeof(buf);
    if (RegGetValueA(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
        return {};
    return std::string(buf);
}

std::vector<std::string> SplitList(const std::string& s) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= s.size()) {
        size_t end = s.find(';', start);
        if (end == std::string::npos) end = s.size();
        if (end > start) out.push_back(s.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

const std::string kClasses = "Software\\Classes\\";

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv) {
    if (clsid != CLSID_VantrelAxTest) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() {
    return S_FALSE;
}

namespace {
bool RegisterIn(HKEY root, const std::string& path, const std::string& list,
                const std::vector<std::string>& progIds) {
    std::string clsidKey = kClasses + "CLSID\\" + kClsidText;
    bool ok = SetValue(root, clsidKey, nullptr, "Vantrel test control") &&
              SetValue(root, clsidKey, "ProgIDs", list) &&
              SetValue(root, clsidKey + "\\InprocServer32", nullptr, path) &&
              SetValue(root, clsidKey + "\\InprocServer32", "ThreadingModel", "Apartment") &&
              SetValue(root, clsidKey + "\\Control", nullptr, "");
    for (const auto& p : progIds)
        ok = ok && SetValue(root, kClasses + p, nullptr, "Vantrel test control") &&
             SetValue(root, kClasses + p + "\\CLSID", nullptr, kClsidText);
    return ok;
}

void UnregisterIn(HKEY root) {
    std::string clsidKey = kClasses + "CLSID\\" + kClsidText;
    for (const auto& p : SplitList(GetValue(root, clsidKey, "ProgIDs")))
        if (_stricmp(GetValue(root, kClasses + p + "\\CLSID", nullptr).c_str(), kClsidText) == 0)
            RegDeleteTreeA(root, (kClasses + p).c_str());
    RegDeleteTreeA(root, clsidKey.c_str());
}
}  // namespace

STDAPI DllRegisterServer() {
    char path[MAX_PATH];
    GetModuleFileNameA(g_module, path, MAX_PATH);
    std::string clsidKey = kClasses + "CLSID\\" + kClsidText;
    std::vector<std::string> progIds = SplitList(EnvVar("VANTREL_AXPROGIDS"));
    if (progIds.empty()) progIds.push_back("Vantrel.AxTest");
    std::vector<std::string> all = SplitList(GetValue(HKEY_CURRENT_USER, clsidKey, "ProgIDs"));
    for (const auto& p : progIds) {
        bool known = false;
        for (const auto& q : all) known = known || _stricmp(p.c_str(), q.c_str()) == 0;
        if (!known) all.push_back(p);
    }
    std::string list;
    for (const auto& p : all) list += (list.empty() ? "" : ";") + p;
    if (!RegisterIn(HKEY_CURRENT_USER, path, list, progIds)) return SELFREG_E_CLASS;
    std::wstring first(progIds[0].begin(), progIds[0].end());
    CLSID seen;
    if (SUCCEEDED(CLSIDFromProgID(first.c_str(), &seen)) && seen == CLSID_VantrelAxTest) return S_OK;
    return RegisterIn(HKEY_LOCAL_MACHINE, path, list, progIds) ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer() {
    UnregisterIn(HKEY_CURRENT_USER);
    UnregisterIn(HKEY_LOCAL_MACHINE);
    return S_OK;
}

// Test controls alive in this process.
__declspec(dllexport) LONG WINAPI AxTestLiveObjects() {
    return g_live;
}

}  // extern "C"
