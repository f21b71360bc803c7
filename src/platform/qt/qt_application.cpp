#include "platform/qt/qt_application.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/qt_widget_style.h"
#include "platform/runtime_error.h"
#include "platform/text.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>
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

// The folders plugins may come from: those QT_PLUGIN_PATH names, then the Qt
// installation's (as the built-in qt.conf names it), in Qt's own spelling of them.
QStringList trusted_plugin_folders() {
    QStringList folders;
    const auto add = [&folders](const QString& path) {
        const QString canonical = QDir(path).canonicalPath();
        if (!canonical.isEmpty() && !folders.contains(canonical)) folders.append(canonical);
    };
    for (const QString& path : qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts))
        add(path);
    add(QLibraryInfo::path(QLibraryInfo::PluginsPath));
    return folders;
}

// The program's folder as the application will name it, known before the application is.
QString own_folder() {
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return exe.isEmpty() ? QString() : QDir(QFileInfo(exe).path()).canonicalPath();
}

// A copy in a folder others can write to must not run their code: Qt searches the
// program's folder for plugins (platforms/, platformthemes/, ...) beside its own. The
// application adds that folder to the plugin folders as it is made, before it loads its
// platform, and replays on top of it what was changed in the list before: a folder taken
// out stays out. So the folder goes into the list first, through QT_PLUGIN_PATH for a
// moment, and the list is then set without it.
void confine_plugins_to_qt_folders() {
    const QStringList trusted = trusted_plugin_folders();
    const QString own = own_folder();
    if (own.isEmpty() || trusted.contains(own)) {
        QCoreApplication::setLibraryPaths(trusted);
        return;
    }
    const bool was_set = qEnvironmentVariableIsSet("QT_PLUGIN_PATH");
    const QByteArray saved = qgetenv("QT_PLUGIN_PATH");
    qputenv("QT_PLUGIN_PATH", saved.isEmpty() ? QFile::encodeName(own) : saved + ':' + QFile::encodeName(own));
    QCoreApplication::setLibraryPaths(trusted);
    if (was_set) qputenv("QT_PLUGIN_PATH", saved);
    else qunsetenv("QT_PLUGIN_PATH");
}

// The first time Qt asks for the session bus (its accessibility bridge does, as the
// first widget gets a name), the D-Bus library starts a bus of its own where the session
// has none, through dbus-launch, and that bus lives on after the program, for as long as
// the display. The session's bus is one the environment names or the user's bus in
// $XDG_RUNTIME_DIR; with neither, an address of no transport at all keeps the library
// from starting one (dbus-launch(1): any address but "autolaunch:" prevents it).
// Accessibility through AT_SPI_BUS_ADDRESS needs no session bus and stays.
void use_only_the_sessions_bus() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (!runtime.isEmpty() && ::stat((runtime + "/bus").constData(), &st) == 0 && S_ISSOCK(st.st_mode)) return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

int& prepared_for_qt(int& argc) {
    use_only_the_sessions_bus();
    confine_plugins_to_qt_folders();
    return argc;
}

}  // namespace

// Laying out a long paragraph allocates and zeroes buffers of tens of megabytes and frees
// them again, once per keystroke. By default the C library serves such sizes with fresh
// mappings, or hands the memory back to the system at once, and every page is faulted in
// afresh the next time, which costs as much as the layout itself. Serving them from the
// heap, with a generous pad at its top, keeps them for reuse. Pages never touched cost
// nothing, so an ordinary session's footprint does not grow.
qt_application::qt_application(int& argc, char** argv) : QApplication(prepared_for_qt(argc), argv) {
#if defined(__GLIBC__)
    mallopt(M_TOP_PAD, 64 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
#endif
    // From here on the list is the application's own, and every plugin loaded later
    // (styles, image formats, accessibility, input methods) comes from it.
    QCoreApplication::setLibraryPaths(trusted_plugin_folders());
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

std::string display_problem() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb")) return {};
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        return "tallix: no display to open the window on; run it in a graphical session, or set DISPLAY "
               "(under Wayland, XWayland's display)";
    }
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (answers) return {};
    return "tallix: the display \"" + display.toStdString() +
           "\" does not answer, so there is nowhere to open the window; run it in a graphical session, or set "
           "DISPLAY to a display that is running";
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

void report_second_start_failure() {
    const runtime_error e = current_error();
    std::fprintf(stderr, "tallix: the running copy was not brought forward: Run-time error '%d': %s\n", e.number(),
                 to_utf8(e.description()).c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace platform::qt
