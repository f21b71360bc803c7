// Keeps the history box across runs: the file's text goes into the box at start-up, and
// the box's whole text goes back to the file every minute and at shut-down. A history
// file that could not be read at start-up is never overwritten in that run; a save that
// fails keeps the program and the box as they are and says why in the tip line, and the
// next good save takes that tip away again.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/forms.h"

namespace store {

class history_keeper {
public:
    // Each restore and each save makes its own file system with make_files.
    history_keeper(platform::file_system_factory make_files, platform::text_box& history, platform::label& tip);

    // Start-up: the history file in `folder` into the history box, when it holds more
    // than its byte-order mark. Later saves go to the same file. Without a folder ("")
    // nothing is read and nothing is ever saved.
    void restore(const std::string& folder);
    // Writes the history box's whole text to the file.
    void save();

private:
    platform::file_system_factory make_files_;
    platform::text_box& history_;
    platform::label& tip_;
    std::string path_;
    bool unreadable_ = false;
    // The tip last shown for a failed save.
    std::u16string save_failed_tip_;
};

}  // namespace store
