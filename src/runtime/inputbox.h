// The input box: a modal question with a one-line answer.
#pragma once

#include <string>

namespace rt {

// Shows the prompt with an answer field holding the default text (selected), owned by the active
// form; an empty title shows App::Title(). Returns the answer on OK or Enter, and "" on Cancel,
// Escape or the close box. Timers keep ticking while it is open.
std::string InputBox(const std::string& prompt, const std::string& title = {},
                     const std::string& defaultText = {});

}  // namespace rt
