// The main window's access to the project store: the member index at start-up, the copies of
// single members into the temporary folder, and the nested store of an alpha picture's states.
// The three name lists are the main window's hidden lists, reached through list sinks.
#pragma once

#include <memory>
#include <string>

#include "runtime/list_sink.h"
#include "shell/store/dFileArc.h"

class ProjectArchive {
public:
    ProjectArchive(rt::ListSink& pacfile, rt::ListSink& pagelast, rt::ListSink& pcfile2)
        : pacfile_(pacfile), pagelast_(pagelast), pcfile2_(pcfile2) {}

    // Lists the project store in the application folder. Failures pass to the caller.
    void LoadArchiveIndex(const std::string& appFolder);
    // Copies a project store member (name compared without case) to the temporary folder and
    // returns the copy's path, or "error". A store that cannot be opened fails the call.
    std::string pckex(const std::string& flinfo);
    // Lists the nested store at path; every failing step is skipped.
    void OpenPictureArchive(const std::string& path);
    // pckex for the nested store, with names compared exactly.
    std::string pckexbut(const std::string& flinfo);

    // The project store's path for an application folder (a drive root keeps its single separator).
    static std::string StorePath(const std::string& appFolder);
    // The folder of the temporary copies: "vantrel" under the system temporary folder.
    static std::string TempFolder();

private:
    std::string Extract(dFileArc& store, rt::ListSink& names, const std::string& flinfo, bool exact);
    dFileArc& Project();
    dFileArc& Nested();

    rt::ListSink& pacfile_;
    rt::ListSink& pagelast_;
    rt::ListSink& pcfile2_;
    std::unique_ptr<dFileArc> project_;  // each made on first use, kept for the whole run
    std::unique_ptr<dFileArc> nested_;
};
