#include "platform/qt/qt_forms_runtime.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <chrono>

#include "platform/qt/qt_application.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_geometry.h"
#include "platform/qt/qt_widget_style.h"

namespace platform::qt {

qt_forms_runtime::qt_forms_runtime() : icon_(QStringLiteral(":/icons/tallix.ico")) {
    // Closing a window never ends the program by itself: tool windows do not count for
    // Qt, and an open help window must keep the program running. form_closed decides.
    QApplication::setQuitOnLastWindowClosed(false);
    if (pointer_position_goes_stale()) {
        crossings_.on_cross = [this](WId window, bool entered) {
            for (qt_form* f : live_) {
                if (f->widget()->internalWinId() == window) f->pointer_crossed(entered);
            }
        };
        qApp->installNativeEventFilter(&crossings_);
    }
}

qt_forms_runtime::~qt_forms_runtime() {
    qApp->removeNativeEventFilter(&crossings_);
    finish_beside();
}

void qt_forms_runtime::run_beside(std::function<void()> work, std::function<void()> done) {
    beside_job& job = jobs_.emplace_back();
    job.done = std::move(done);
    job.thread = std::thread([this, &job, work = std::move(work)] {
        work();
        job.ended = true;
        QMetaObject::invokeMethod(
            &messenger_, [this] { finish_ended(false); }, Qt::QueuedConnection);
    });
}

void qt_forms_runtime::finish_beside() { finish_ended(true); }

// Queued like the end of a job beside: the event loop handles the window system's input
// that waits before it comes to the next step.
void qt_forms_runtime::run_soon(std::function<void()> step) {
    QMetaObject::invokeMethod(&messenger_, std::move(step), Qt::QueuedConnection);
}

void qt_forms_runtime::finish_ended(bool wait_for_all) {
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        if (!wait_for_all && !it->ended) {
            ++it;
            continue;
        }
        it->thread.join();
        const std::function<void()> done = std::move(it->done);
        it = jobs_.erase(it);
        if (done) done();
    }
}

void qt_forms_runtime::init_common_controls() {
    install_font_substitutions();
    install_grid_style();
}

std::unique_ptr<form> qt_forms_runtime::create_form(const form_design& design) {
    return std::make_unique<qt_form>(design, *this, icon_);
}

int qt_forms_runtime::twips_per_pixel_x() const { return twips_per_pixel(); }
int qt_forms_runtime::twips_per_pixel_y() const { return twips_per_pixel(); }

int qt_forms_runtime::screen_width() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() * twips_per_pixel() : 0;
}

int qt_forms_runtime::screen_height() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() * twips_per_pixel() : 0;
}

std::string qt_forms_runtime::app_path() const { return QCoreApplication::applicationDirPath().toStdString(); }

std::string qt_forms_runtime::exe_name() const {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
}

qt_form* qt_forms_runtime::find(window_handle h) const {
    for (qt_form* f : live_) {
        if (f->handle() == h) return f;
    }
    return nullptr;
}

void qt_forms_runtime::form_closed(qt_form*) {
    if (--open_ > 0) return;
    // Queued, so the handler that closed the last window finishes first.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
}

std::int64_t qt_forms_runtime::milliseconds() const {
    using namespace std::chrono;
    return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool qt_forms_runtime::ask_retry(const std::u16string& message, const std::u16string& give_up) {
    if (!has_user_display()) return false;
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), to_qstring(message));
    QPushButton* retry = box.addButton(QStringLiteral("重试"), QMessageBox::AcceptRole);
    box.addButton(to_qstring(give_up), QMessageBox::DestructiveRole);
    box.setDefaultButton(retry);
    box.setEscapeButton(retry);
    box.exec();
    return box.clickedButton() == retry;
}

}  // namespace platform::qt
