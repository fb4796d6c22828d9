// The question that follows a keyboard's record that cannot be written: the operator may try again (a
// medium put back) or go on without it, which the log then says.
#pragma once

#include <functional>
#include <string>

// Calls `write` until it gives true or the operator gives up: after each failure `question` is asked with
// Retry and Cancel over the main window, and Cancel writes `lossLine` to the log. While the operator decides,
// the host's run flag does not end the run. True when `write` succeeded.
bool WriteOrAskAgain(const std::function<bool()>& write, const std::string& question,
                     const std::string& lossLine);
