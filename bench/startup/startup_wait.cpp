// Starts programs and times each from its start to the first visible top-level window of its
// process with a given title. The programs run in turn, so that a machine busy with other work
// slows them alike; one run of each comes first and is not counted (it fills the file cache).
//
//   bench_startup_wait.exe <runs> <title> <program>...
//
// Prints one line per program: median, fastest and slowest milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD process = 0;
    const char* title = nullptr;
    bool found = false;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->process || !IsWindowVisible(hwnd)) return TRUE;
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if (std::string(text) != s->title) return TRUE;
    s->found = true;
    return FALSE;
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from the start to the visible window, or a negative number on failure.
double Once(const std::string& program, const char* title) {
    std::string folder = program;
    const size_t slash = folder.find_last_of("\\/");
    folder = slash == std::string::npos ? "." : folder.substr(0, slash);
    std::string command = "\"" + program + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double start = Now();
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &si, &pi))
        return -1;
    Search s{pi.dwProcessId, title};
    double elapsed = -2;
    while (Now() - start < 30000) {
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
        if (s.found) {
            elapsed = Now() - start;
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    Sleep(200);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_startup_wait <runs> <title> <program>...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const char* title = argv[2];
    std::vector<std::string> programs(argv + 3, argv + argc);
    std::vector<std::vector<double>> times(programs.size());
    for (int run = 0; run <= runs; ++run)
        for (size_t p = 0; p < programs.size(); ++p) {
            const double ms = Once(programs[p], title);
            if (ms < 0) {
                std::fprintf(stderr, "%s: no visible window titled \"%s\" (%g)\n", programs[p].c_str(), title,
                             ms);
                return 1;
            }
            if (run > 0) times[p].push_back(ms);
        }
    for (size_t p = 0; p < programs.size(); ++p) {
        std::vector<double>& t = times[p];
        std::sort(t.begin(), t.end());
        std::printf("%s\tmedian %.0f ms\tfastest %.0f\tslowest %.0f\n", programs[p].c_str(), t[t.size() / 2],
                    t.front(), t.back());
    }
    return 0;
}
