// The forms runtime on Qt Widgets, made once by main.cpp.
#pragma once

#include <QIcon>
#include <QObject>
#include <atomic>
#include <functional>
#include <list>
#include <set>
#include <thread>

#include "platform/forms.h"
#include "platform/qt/qt_x11_window.h"

namespace platform::qt {

class qt_form;

// The forms runtime on Qt Widgets. It knows every live form, so that the window system
// can address them by handle, and it ends the program when the last open form closes.
class qt_forms_runtime : public forms_runtime {
public:
    qt_forms_runtime();
    void init_common_controls() override;
    std::unique_ptr<form> create_form(const form_design& design) override;
    int twips_per_pixel_x() const override;
    int twips_per_pixel_y() const override;
    int screen_width() const override;
    int screen_height() const override;
    std::string app_path() const override;
    std::string exe_name() const override;
    std::int64_t milliseconds() const override;
    bool ask_retry(const std::u16string& message, const std::u16string& give_up) override;
    void run_beside(std::function<void()> work, std::function<void()> done) override;
    void finish_beside() override;
    void run_soon(std::function<void()> step) override;
    ~qt_forms_runtime() override;

    qt_form* find(window_handle h) const;

    // Bookkeeping called by the forms.
    void form_created(qt_form* f) { live_.insert(f); }
    void form_destroyed(qt_form* f) { live_.erase(f); }
    void form_opened(qt_form*) { ++open_; }
    void form_closed(qt_form*);

private:
    struct beside_job {
        std::thread thread;
        std::atomic<bool> ended{false};
        std::function<void()> done;
    };
    // Joins the threads whose work has ended and runs their done.
    void finish_ended(bool wait_for_all);

    QIcon icon_;
    std::list<beside_job> jobs_;
    // Receives the word from a thread that its work has ended; going with the runtime, it
    // takes a word that comes too late with it.
    QObject messenger_;
    // Where the pointer's position goes stale, the crossings tell the forms where it is.
    pointer_crossings crossings_;
    std::set<qt_form*> live_;
    int open_ = 0;
};

}  // namespace platform::qt
