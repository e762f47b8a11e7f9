// What the launcher and the main window share about the running program: its folder, its end,
// its start, and a trace of the start-up steps that tests read.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace shell {

// The application folder as the platform gives it: no trailing backslash, except at the root of
// a drive ("E:\"). Tests may point it at a fixture folder.
std::string ApplicationPath();
void SetApplicationPathForTests(std::string folder);  // empty: the program's own folder again

// A backslash when the application folder's path is longer than 3 characters, else nothing.
std::string AppPathSuffix();

// Ends the program at once, as the start-up checks and the exit window do. Tests may install a
// handler instead; the callers return right after the call.
void EndProgram();
void SetEndHandlerForTests(std::function<void()> handler);

// Creates the launcher, the first window of the program, and shows it when its load kept it.
void StartProgram();

// The start-up steps of the launcher and the main window, in the order they ran.
std::vector<std::string>& StartupTrace();
void Trace(const std::string& step);

}  // namespace shell
