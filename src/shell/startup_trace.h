// A trace of the start-up steps of the launcher and the main window, which tests read.
#pragma once

#include <string>
#include <vector>

namespace shell {

// The steps in the order they ran.
std::vector<std::string>& StartupTrace();
void Trace(const std::string& step);

}  // namespace shell
