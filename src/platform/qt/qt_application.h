// The program's QApplication, made by main.cpp.
#pragma once

#include <QApplication>
#include <string>

namespace platform::qt {

// The application object. Any error that escapes an event handler ends here: the
// run-time error report is shown and the program ends at once, without its shut-down
// steps, as an unhandled run-time error does.
class qt_application : public QApplication {
public:
    // Before Qt starts its platform, the process is set up so that Qt takes its plugins
    // only from the folders of the Qt installation (and those QT_PLUGIN_PATH names),
    // never from the program's own folder, and starts no session bus of its own where
    // the session has none.
    qt_application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // SIGTERM, SIGHUP and SIGINT (a session logging out, a closed terminal, Ctrl+C)
    // close every window as the user would, so the shut-down steps save the formula
    // and the history before the program ends.
    void close_windows_on_termination_signals();
};

// Why the window cannot be shown, as one line for standard error, or empty when it can:
// Qt's X11 platform is to be used and no X display is named, or the one named does not
// answer. Asked before the application is made, as Qt ends the process with an abort
// when its platform cannot start.
std::string display_problem();

// Whether a user sees the program's windows: false on the offscreen and minimal platforms
// of tests and tools, where no dialog may wait for an answer.
bool has_user_display();

// Shows the run-time error report of whatever exception is in flight (a message box when
// there is a display, and always on standard error) and ends the process with status 1.
[[noreturn]] void report_current_exception();

// The same for a second start, which has no window of its own: one line on standard
// error, no dialog, status 1.
[[noreturn]] void report_second_start_failure();

}  // namespace platform::qt
