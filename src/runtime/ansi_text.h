// Text in the ANSI code page, as the runtime's strings hold it: conversion to and from UTF-16 for
// the wide system calls, and ordering as the system orders names, ignoring case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rt {

// The text converted by the ANSI code page; characters outside it follow the platform's best fit.
std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// Sorts the strings as the platform compares them ignoring case (lstrcmpi); with unique, of the
// strings that compare equal only one is kept.
void SortIgnoringCase(std::vector<std::string>& items, bool unique = false);

}  // namespace rt
