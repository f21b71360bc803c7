#include "store/history_keeper.h"

#include "store/history_log.h"

namespace store {

history_keeper::history_keeper(platform::file_system_factory make_files, platform::text_box& history,
                               platform::label& tip)
    : make_files_(std::move(make_files)), history_(history), tip_(tip) {}

void history_keeper::restore(const std::string& folder) {
    path_ = folder + "/" + history_file_name;
    const auto files = make_files_();
    if (!files) return;
    history_read read = read_history(*files, path_);
    if (read.result == history_read::outcome::unreadable) {
        unreadable_ = true;
        tip_.set_caption(history_unreadable_tip());
    } else if (read.result == history_read::outcome::restored) {
        history_.set_text(read.text);
    }
}

bool history_keeper::save() {
    if (unreadable_) {
        tip_.set_caption(history_unreadable_tip());
        return false;
    }
    const auto files = make_files_();
    last_error_ = std::make_error_code(std::errc::io_error);
    write_failed_ = files && !write_history(*files, path_, history_.text(), &last_error_);
    if (files && !write_failed_) {
        if (!save_failed_tip_.empty() && tip_.caption() == save_failed_tip_) tip_.set_caption(u"");
        save_failed_tip_.clear();
        return true;
    }
    save_failed_tip_ = history_save_failed_tip(last_error_);
    tip_.set_caption(save_failed_tip_);
    return false;
}

// What was recorded since the last good save would be lost with the window, so the user
// decides. A file that could not be read is never written, whatever the answer would be;
// without files to write there is nothing to ask.
void history_keeper::save_at_exit(
    const std::function<bool(const std::u16string&, const std::u16string&)>& ask_retry) {
    while (!save() && write_failed_ && ask_retry(history_exit_question(last_error_), u"不保存，关闭")) {
    }
}

}  // namespace store
