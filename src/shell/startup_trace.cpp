#include "shell/startup_trace.h"

namespace shell {

std::vector<std::string>& StartupTrace() {
    static std::vector<std::string> trace;
    return trace;
}

void Trace(const std::string& step) {
    StartupTrace().push_back(step);
}

}  // namespace shell
