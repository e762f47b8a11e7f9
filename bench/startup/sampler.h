// A sampling profiler for the bench: while a Sampler is running, another thread stops the given
// thread about once a millisecond, walks its stack and keeps the return addresses. Report()
// writes, for each function seen (module!export+offset for system libraries, module+rva for the
// program, to be named with nm), the share of samples it was on the stack (inclusive) and on top
// (exclusive). Only the x86-64 build walks stacks; elsewhere the sampler records nothing.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <vector>

namespace bench {

class Sampler {
public:
    explicit Sampler(DWORD threadId);
    ~Sampler();
    Sampler(const Sampler&) = delete;
    Sampler& operator=(const Sampler&) = delete;

    void Start();
    void Stop();
    void Report(std::FILE* out, size_t top) const;

private:
    static DWORD WINAPI Run(void* self);
    HANDLE thread_ = nullptr;
    HANDLE worker_ = nullptr;
    std::atomic<bool> running_{false};
    std::vector<std::vector<DWORD64>> stacks_;
};

}  // namespace bench
