#include "store/history_keeper.h"

#include <memory>

namespace store {

history_keeper::history_keeper(platform::file_system_factory make_files, platform::background_work& runtime,
                               platform::text_box& history, storage_report warn)
    : make_files_(std::move(make_files)), runtime_(runtime), history_(history), warn_(std::move(warn)) {
    history_.on_change = [this] { ++edits_; };
}

history_keeper::~history_keeper() {
    runtime_.finish_beside();
    history_.on_change = nullptr;
}

void history_keeper::restore(const std::string& folder) {
    if (folder.empty()) return;
    path_ = folder + "/" + history_file_name;
    std::shared_ptr<const platform::file_system> files = make_files_();
    if (!files) return;
    auto read = std::make_shared<history_read>();
    reading_ = true;
    runtime_.run_beside([files, read, path = path_] { *read = read_history(*files, path); },
                        [this, read] { restored(std::move(*read)); });
}

void history_keeper::restored(history_read read) {
    reading_ = false;
    using outcome = history_read::outcome;
    switch (read.result) {
    case outcome::missing: break;
    case outcome::restored:
        history_.restore_text(std::move(read.text));
        show_next_slice();
        [[fallthrough]];
    case outcome::short_file: file_holds_ = 0; break;
    case outcome::unreadable:
    case outcome::too_large:
    case outcome::not_text:
        unreadable_ = true;
        unread_tip_ = history_unread_tip(read.result);
        warn_(unread_tip_);
        break;
    }
}

void history_keeper::show_next_slice() {
    if (!history_.show_restored(restore_slice_units)) return;
    runtime_.run_soon([this, alive = std::weak_ptr<int>(alive_)] {
        if (!alive.expired()) show_next_slice();
    });
}

void history_keeper::save_beside() {
    if (saving_ || reading_ || path_.empty()) return;
    if (unreadable_) return warn_(unread_tip_);
    if (file_holds_ == edits_) return;
    std::shared_ptr<platform::file_system> files = make_files_();
    if (!files) return no_files();
    struct outcome {
        bool ok = false;
        std::error_code error = std::make_error_code(std::errc::io_error);
    };
    auto result = std::make_shared<outcome>();
    saving_ = true;
    runtime_.run_beside(
        [files, result, path = path_, text = history_.text_snapshot()] {
            result->ok = write_history(*files, path, text(), &result->error);
        },
        [this, result, edits = edits_] {
            saving_ = false;
            if (result->ok) file_holds_ = edits;
            saved(result->ok, result->error);
        });
}

bool history_keeper::save() {
    // Without a folder for its files the program keeps none.
    if (path_.empty()) return true;
    if (unreadable_) {
        warn_(unread_tip_);
        return false;
    }
    if (file_holds_ == edits_) return true;
    const auto files = make_files_();
    if (!files) {
        no_files();
        return false;
    }
    std::error_code error = std::make_error_code(std::errc::io_error);
    const bool ok = write_history(*files, path_, history_.text(), &error);
    if (ok) file_holds_ = edits_;
    saved(ok, error);
    return ok;
}

void history_keeper::saved(bool ok, const std::error_code& error) {
    write_failed_ = !ok;
    last_error_ = error;
    warn_(ok ? u"" : history_save_failed_tip(error));
}

void history_keeper::no_files() {
    write_failed_ = false;
    warn_(history_save_failed_tip(std::make_error_code(std::errc::io_error)));
}

// What was recorded since the last good save would be lost with the window, so the user
// decides. A file that could not be read is never written, whatever the answer would be;
// without files to write there is nothing to ask.
void history_keeper::save_at_exit(const std::function<bool(const std::u16string&, const std::u16string&)>& ask_retry) {
    runtime_.finish_beside();
    while (!save() && write_failed_ && ask_retry(history_exit_question(last_error_), u"不保存，关闭")) {}
}

}  // namespace store
