// Keeps the history box across runs: the file's text goes into the box at start-up, and
// the box's whole text goes back to the file every minute and at shut-down once the box
// was edited, so that a run without an edit leaves the file as it was. A history file
// that was not read at start-up (unreadable, too large, no text) is never overwritten in
// that run; a save that fails keeps the program and the box as they are and says why,
// and the next good save says that the trouble is over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "platform/file_system.h"
#include "platform/forms.h"
#include "store/history_log.h"

namespace store {

// Where the history's troubles are told: a warning for the tip line, or "" when a save
// succeeded.
using storage_report = std::function<void(const std::u16string& warning)>;

class history_keeper {
public:
    // Each restore and each save makes its own file system with make_files; the minute's
    // saves write on a thread of the runtime's. The keeper counts the box's edits through
    // its on_change.
    history_keeper(platform::file_system_factory make_files, platform::background_work& runtime,
                   platform::text_box& history, storage_report warn);
    // Waits for a save still being written.
    ~history_keeper();
    history_keeper(const history_keeper&) = delete;
    history_keeper& operator=(const history_keeper&) = delete;

    // Start-up: the history file in `folder` into the history box, when it holds more
    // than its byte-order mark. Later saves go to the same file. Without a folder ("")
    // nothing is read and nothing is ever saved. The file is read beside the window and
    // the box shows it slice by slice from its end, so that the window takes typing at
    // once whatever the history's size. Until the file is read no minute's save writes;
    // the box's text holds the whole history from then on, and entries recorded
    // meanwhile stay after it.
    void restore(const std::string& folder);
    // The minute's save: the box's text is taken at once and written beside the window,
    // so that a long history does not hold the window up; the outcome is reported once
    // written. While a save is being written the next one waits for the next minute.
    void save_beside();
    // The last save, when the program ends, once any save still being written is done:
    // while it fails, ask_retry(why, the other choice) decides whether to try again.
    void save_at_exit(const std::function<bool(const std::u16string&, const std::u16string&)>& ask_retry);

private:
    void restored(history_read read);
    void show_next_slice();
    // Writes the box's text now; false when that failed.
    bool save();
    // Reports the outcome of a save that had files to write to.
    void saved(bool ok, const std::error_code& error);
    void no_files();

    platform::file_system_factory make_files_;
    platform::background_work& runtime_;
    platform::text_box& history_;
    storage_report warn_;
    std::string path_;
    // The file was there but not read, and this says why.
    bool unreadable_ = false;
    std::u16string unread_tip_;
    // The box's edits so far, and the count whose text the file holds; none while the
    // file holds nothing the box showed (there was none at start-up).
    std::uint64_t edits_ = 0;
    std::optional<std::uint64_t> file_holds_;
    // The file is being read: the box does not hold the history yet.
    bool reading_ = false;
    bool saving_ = false;
    // The last save tried to write and could not, for this reason.
    bool write_failed_ = false;
    std::error_code last_error_;
    // Steps of the slicing left queued when the keeper goes do nothing.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

// About this many characters go into the history box per step of the event loop.
inline constexpr std::size_t restore_slice_units = std::size_t{1} << 16;

}  // namespace store
