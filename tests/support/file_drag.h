// A drag of file names that the test program starts itself, through the platform's drag loop: the
// pointer goes through the given screen points, one for each step of the loop, and the data is
// dropped at the last one (or the drag is cancelled there).
#pragma once

#include <gtest/gtest.h>
#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace testsupport {

// File names in the drag-and-drop format (CF_HDROP, wide names). It lives on the test's stack
// and keeps no count.
class FileData final : public IDataObject {
public:
    explicit FileData(std::vector<std::wstring> names) : names_(std::move(names)) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        std::vector<wchar_t> list;
        for (const std::wstring& n : names_) list.insert(list.end(), n.c_str(), n.c_str() + n.size() + 1);
        list.push_back(0);
        const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        if (!block) return E_OUTOFMEMORY;
        auto* header = static_cast<DROPFILES*>(GlobalLock(block));
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        std::memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
        GlobalUnlock(block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override {
        return format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK
                                                                                         : DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &format, out);
    }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::vector<std::wstring> names_;
};

// The drag's source: at each step of the drag loop it puts the pointer on the next point of the
// path; past the last one it drops (or cancels). It lives on the test's stack.
class PathSource final : public IDropSource {
public:
    PathSource(std::vector<POINT> path, bool drop) : path_(std::move(path)), drop_(drop) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *out = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD) override {
        if (escape) return DRAGDROP_S_CANCEL;
        // Each point is held for two steps, so that the loop sees the pointer there.
        if (step_ / 2 < path_.size()) {
            const POINT& p = path_[step_++ / 2];
            SetCursorPos(p.x, p.y);
            return S_OK;
        }
        return drop_ ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
    }
    STDMETHODIMP GiveFeedback(DWORD effect) override {
        feedback.push_back(effect);
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }

    std::vector<DWORD> feedback;  // the effects the target answered, step by step

private:
    std::vector<POINT> path_;
    bool drop_;
    size_t step_ = 0;
};

// Points of a window's client area on the screen.
inline std::vector<POINT> OnScreen(HWND window, std::vector<POINT> points) {
    for (POINT& p : points) ClientToScreen(window, &p);
    return points;
}

// Drags `data` from where the pointer is along `path` (screen points) and drops it at the end
// (or cancels there); returns the platform's answer and sets the effect it reports.
inline HRESULT DragAlong(IDataObject& data, const std::vector<POINT>& path, DWORD allowed, DWORD& effect,
                         bool drop = true) {
    PathSource source(path, drop);
    effect = DROPEFFECT_NONE;
    return DoDragDrop(&data, &source, allowed, &effect);
}

}  // namespace testsupport
