#include "platform/qt/qt_application.h"

#include <QMessageBox>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/qt_widget_style.h"
#include "platform/runtime_error.h"
#include "platform/text.h"

#include <sys/socket.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform::qt {

namespace {

// A signal handler may do next to nothing; it writes a byte that the event loop reads.
int signal_pipe[2] = {-1, -1};

void on_termination_signal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signal_pipe[0], &byte, 1);
}

}  // namespace

// Laying out a long paragraph allocates and zeroes buffers of tens of megabytes and frees
// them again, once per keystroke. By default the C library serves such sizes with fresh
// mappings, or hands the memory back to the system at once, and every page is faulted in
// afresh the next time, which costs as much as the layout itself. Serving them from the
// heap, with a generous pad at its top, keeps them for reuse. Pages never touched cost
// nothing, so an ordinary session's footprint does not grow.
qt_application::qt_application(int& argc, char** argv) : QApplication(argc, argv) {
#if defined(__GLIBC__)
    mallopt(M_TOP_PAD, 64 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
#endif
}

bool qt_application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        report_current_exception();
    }
}

void qt_application::close_windows_on_termination_signals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signal_pipe) != 0) return;
    auto* notifier = new QSocketNotifier(signal_pipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(signal_pipe[1], &byte, 1);
        closeAllWindows();
    });
    struct sigaction action {};
    action.sa_handler = on_termination_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaction(sig, &action, nullptr);
}

bool has_user_display() {
    const QString platform = QGuiApplication::platformName();
    return qApp && platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void report_current_exception() {
    const runtime_error e = current_error();
    const std::u16string text = runtime_error_report(e.number(), e.description());
    std::fprintf(stderr, "%s\n", to_utf8(text).c_str());
    std::fflush(stderr);
    if (has_user_display()) {
        QMessageBox::critical(nullptr, QCoreApplication::applicationName(), to_qstring(text));
    }
    std::_Exit(1);
}

}  // namespace platform::qt
