// Tests' side of the test ActiveX control (axserver.cpp): register it under chosen ProgIDs for the
// length of a scope, and read the calls it received.
//
//   axtest::Registration reg("ShockwaveFlash.ShockwaveFlash.10;AcroPDF.PDF.1");
//   axtest::CallLog log;
//   ... rt::AddControl(form, "AcroPDF.PDF.1", "PDF").object().Call("LoadFile", "a.pdf");
//   EXPECT_EQ(log.Lines(), (std::vector<std::string>{"#InPlaceActivate", "LoadFile(a.pdf)"}));
//
// Test executables that use it depend on the vantrel_axtest target (add_dependencies).
#pragma once

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace axtest {

inline std::string DllPath() {
    return VANTREL_BINARY_DIR "/tests/comserver/vantrel_axtest.dll";
}

inline HMODULE Library() {
    static HMODULE lib = LoadLibraryA(DllPath().c_str());
    return lib;
}

// Test controls of the server alive in this process (-1 when the server cannot be loaded).
inline long LiveObjects() {
    using Fn = LONG(WINAPI*)();
    auto fn = reinterpret_cast<Fn>(GetProcAddress(Library(), "AxTestLiveObjects"));
    return fn ? fn() : -1;
}

// Registers the control for the current user under the ProgIDs (separated by ';'); unregisters
// everything it registered when the scope ends, so the "not installed" path stays testable.
class Registration {
public:
    explicit Registration(const std::string& progIds) {
        SetEnvironmentVariableA("VANTREL_AXPROGIDS", progIds.c_str());
        ok_ = call("DllRegisterServer");
        SetEnvironmentVariableA("VANTREL_AXPROGIDS", nullptr);
    }
    ~Registration() { call("DllUnregisterServer"); }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
    bool ok() const noexcept { return ok_; }

private:
    static bool call(const char* entry) {
        using Fn = HRESULT(STDAPICALLTYPE*)();
        auto fn = reinterpret_cast<Fn>(GetProcAddress(Library(), entry));
        return fn && SUCCEEDED(fn());
    }
    bool ok_ = false;
};

// Points the server's call log at a fresh temporary file for the length of a scope.
class CallLog {
public:
    CallLog() {
        char dir[MAX_PATH], file[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "axl", 0, file);
        path_ = file;
        SetEnvironmentVariableA("VANTREL_AXLOG", path_.c_str());
    }
    ~CallLog() {
        SetEnvironmentVariableA("VANTREL_AXLOG", nullptr);
        DeleteFileA(path_.c_str());
    }
    CallLog(const CallLog&) = delete;
    CallLog& operator=(const CallLog&) = delete;

    std::vector<std::string> Lines() const {
        std::vector<std::string> out;
        std::ifstream in(path_);
        for (std::string line; std::getline(in, line);) out.push_back(line);
        return out;
    }
    // The calls by name only (host events, starting with '#', left out).
    std::vector<std::string> Calls() const {
        std::vector<std::string> out;
        for (auto& l : Lines())
            if (!l.empty() && l[0] != '#') out.push_back(l);
        return out;
    }
    const std::string& Path() const noexcept { return path_; }

private:
    std::string path_;
};

}  // namespace axtest
