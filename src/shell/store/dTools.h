// The store's file helpers.
#pragma once

#include <string>

namespace dTools {

// The separator that paths built here use: a backslash on Windows, a slash natively.
#ifdef _WIN32
inline constexpr char kBackslash = '\\';
#else
inline constexpr char kBackslash = '/';
#endif

// True when a directory search finds an ordinary, read-only or archive file at the path; hidden
// and system files and folders do not count, nor does an empty path.
bool FileExists(const std::string& path);

// The text with a separator appended, unless it already ends with one.
std::string AddBackslash(std::string text);

// The system's temporary folder without its trailing separator; empty when there is none.
std::string GetTempFolder();

}  // namespace dTools
