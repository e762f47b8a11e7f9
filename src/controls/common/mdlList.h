// Readers of the project's list files (item action files and line-wise lists) into lists.
// None reports a failure: an unreadable file, a malformed item or too many items end the read
// quietly, keeping what was added so far. Each read opens its own file, so a read started from
// inside the message pump of another read works. They sit with the controls since the combo box
// reads item action files too; the main window and the interpreter use them from above.
#pragma once

#include <functional>
#include <string>

#include "runtime/list_sink.h"

namespace mdlList {

// Separator between an item's display text and its action list.
inline constexpr const char* kItemSeparator = "##qk##";

// Item action file: display texts into `texts`, action lists into `actions` (both emptied first).
void LoadPairedList(const std::string& path, rt::ListSink& texts, rt::ListSink& actions,
                    const rt::MessagePump& pump);

// Line-wise list: every line whole into `list` (emptied first). Does not pump.
void LoadLineList(const std::string& path, rt::ListSink& list);

// Item action file: every item whole (text and actions together) into `list` (emptied first).
void LoadItemList(const std::string& path, rt::ListSink& list, const rt::MessagePump& pump);

// Item action file into a combo box that is NOT emptied: the file's display texts are inserted
// at positions 0, 1, ... ahead of what the box held. Only `actions` is emptied.
void LoadPairedCombo(const std::string& path, rt::ListSink& combo, rt::ListSink& actions,
                     const rt::MessagePump& pump);

// The item search of the slideshow and the thumbnail browser: the first item (whole, as
// LoadItemList keeps it) whose display text equals `text` exactly hands its action list to run;
// an item with an empty action part, or none (no "##qk##"), stops the search with nothing run.
// After each item that does not match, goOn lets the message loop run and answers whether the
// search may go on (false: its holder is gone).
void RunFirstItem(const rt::ListSink& items, const std::string& text, const std::function<bool()>& goOn,
                  const std::function<void(const std::string&)>& run);

}  // namespace mdlList
