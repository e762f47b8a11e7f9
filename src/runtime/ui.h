// DoEvents, message boxes, the clipboard, and the App and Screen objects.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/picture.h"

namespace rt {

// Handles every waiting message, then returns (timers, clicks and paints can run inside).
void DoEvents();

enum MsgBoxStyle : int32_t {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
    vbSystemModal = 4096,
    vbMsgBoxSetForeground = 0x10000,
};
enum MsgBoxResult : int32_t {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// Shows a modal message box owned by the active form; an empty title shows App::Title().
// Returns the button chosen (vbOK ...). Timers keep ticking while it is open.
int32_t MsgBox(const std::string& prompt, int32_t buttons = vbOKOnly, const std::string& title = {});

namespace Clipboard {
void Clear();
void SetText(const std::string& text);    // plain text (CF_TEXT)
std::string GetText();                    // "" when the clipboard holds no text
bool GetFormat(unsigned format);          // CF_TEXT 1, CF_BITMAP 2, CF_METAFILEPICT 3, CF_DIB 8, ...
void SetData(const Picture& picture);     // a bitmap, metafile or enhanced metafile picture
Picture GetData();                        // the clipboard's picture; empty when it holds none
std::vector<std::string> GetFileNames();  // the file list (CF_HDROP)
// The file list as Unicode names; false when the clipboard cannot be opened, holds no list or
// its list is damaged. The clipboard is closed again in every case.
bool GetFileNames(std::vector<std::wstring>& names);
void SetFileNames(const std::vector<std::string>& paths);
}  // namespace Clipboard

// The names of a file-list memory block (an HGLOBAL of the CF_HDROP format), read within the
// block's size; false, with `names` unchanged, for a damaged block.
bool FileNamesOfDropBlock(void* block, std::vector<std::wstring>& names);

namespace App {
// The folder of the program, without a trailing separator (except at a drive's root, "E:\").
// Tests may point it at a fixture folder.
std::string Path();
void SetPathForTests(std::string folder);  // empty: the program's own folder again
// A backslash when Path() is longer than 3 characters, else nothing: what joins it to a name.
std::string PathSuffix();
std::string EXEName();  // file name of the program without extension
const std::string& Title();
void Title(std::string title);
// Ends the program at once, as the start-up checks and the exit window do. Tests may install a
// handler instead; the callers return right after the call.
void End();
void SetEndForTests(std::function<void()> handler);
}  // namespace App

namespace Screen {
double Width();   // twips
double Height();  // twips
int TwipsPerPixelX();
int TwipsPerPixelY();
int FontCount();
std::string Fonts(int index);  // installed screen font faces, sorted, no duplicates
const std::vector<std::string>& FontNames();
void RefreshFonts();  // after fonts were added or removed
}  // namespace Screen

}  // namespace rt
