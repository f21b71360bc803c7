// The program's QApplication, made by main.cpp.
#pragma once

#include <QApplication>

namespace platform::qt {

// The application object. Any error that escapes an event handler ends here: the
// run-time error report is shown and the program ends at once, without its shut-down
// steps, as an unhandled run-time error does.
class qt_application : public QApplication {
public:
    qt_application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // SIGTERM, SIGHUP and SIGINT (a session logging out, a closed terminal, Ctrl+C)
    // close every window as the user would, so the shut-down steps save the formula
    // and the history before the program ends.
    void close_windows_on_termination_signals();
};

// Whether a user sees the program's windows: false on the offscreen and minimal platforms
// of tests and tools, where no dialog may wait for an answer.
bool has_user_display();

// Shows the run-time error report of whatever exception is in flight (a message box when
// there is a display, and always on standard error) and ends the process with status 1.
[[noreturn]] void report_current_exception();

}  // namespace platform::qt
