#include "store/history_keeper.h"

#include "store/history_log.h"

namespace store {

history_keeper::history_keeper(platform::file_system_factory make_files, platform::text_box& history,
                               platform::label& tip)
    : make_files_(std::move(make_files)), history_(history), tip_(tip) {}

void history_keeper::restore(const std::string& folder) {
    if (folder.empty()) return;
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

void history_keeper::save() {
    if (path_.empty()) return;
    if (unreadable_) {
        tip_.set_caption(history_unreadable_tip());
        return;
    }
    const auto files = make_files_();
    std::error_code error = std::make_error_code(std::errc::io_error);
    if (files && write_history(*files, path_, history_.text(), &error)) {
        if (!save_failed_tip_.empty() && tip_.caption() == save_failed_tip_) tip_.set_caption(u"");
        save_failed_tip_.clear();
        return;
    }
    save_failed_tip_ = history_save_failed_tip(error);
    tip_.set_caption(save_failed_tip_);
}

}  // namespace store
