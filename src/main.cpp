#include "app/calc.h"
#include "platform/local_file_system.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_forms_runtime.h"
#include "platform/qt/qt_link_service.h"
#include "platform/qt/qt_window_system.h"
#include "store/data_folder.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // Wayland lets no client place its own window; the window docks and clamps itself.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Without an X display Qt would abort with a message about reinstalling; say what is
    // missing instead, before anything is read or written.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if ((platform.isEmpty() || platform.startsWith("xcb")) && qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fputs("tallix: no display to open the window on; run it in a graphical session, or set DISPLAY "
                   "(under Wayland, XWayland's display)\n",
                   stderr);
        return 1;
    }
    platform::qt::qt_application application(argc, argv);
    try {
        platform::qt::qt_forms_runtime forms;
        platform::qt::qt_window_system windows(forms);
        platform::local_file_system settings_files;
        platform::qt::qt_link_service link(forms.exe_name());
        app::calc main_window({forms, windows, [] { return std::make_unique<platform::local_file_system>(); },
                               &settings_files,
                               store::user_data_folder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")), &link});
        if (!main_window.load()) return 0;
        main_window.show();
        application.close_windows_on_termination_signals();
        return application.exec();
    } catch (...) {
        platform::qt::report_current_exception();
    }
}
