// Action families whose objects and windows come with the media, window and viewer controls:
// each accepts its keywords and, until its controls are on the main window, does nothing.
#include <string>

#include "actions/interpreter.h"
#include "shell/Form1.h"

namespace actions {

void FlashPictureAction(Form1&, const std::string&, const ActionCommand&, const namelist::NameEntry&) {}

void SlideshowThumbAction(Form1&, const std::string&, const ActionCommand&, const namelist::NameEntry&) {}

void PdfAction(Form1&, const std::string&, const ActionCommand&) {}

}  // namespace actions
