#include "app/calc.h"
#include "platform/command_line.h"
#include "platform/local_file_system.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_forms_runtime.h"
#include "platform/qt/qt_link_service.h"
#include "platform/qt/qt_window_system.h"
#include "store/data_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr std::string_view help_text =
    "Usage: tallix [OPTION]\n"
    "Open the tallix calculator window, titled \"morvane自由计算器\" (the interface is in\n"
    "Chinese): type a formula into the middle box and its value shows above it as you type.\n"
    "\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "An installed copy keeps the last formula and the history in $XDG_DATA_HOME/tallix\n"
    "(by default ~/.local/share/tallix); a copy in a folder of its own keeps them beside\n"
    "the program. Close the window with the close button on its caption bar or with the\n"
    "window manager's close command (often Alt+F4); closing saves both.\n"
    "\n"
    "Full documentation: man tallix\n";

// $HOME, or the home folder of the user's account when HOME is not an absolute path.
const char* home_folder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    const passwd* account = ::getpwuid(::getuid());
    return account ? account->pw_dir : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before anything else: no window, no file.
    if (const auto status = platform::answer_info_option(argc, argv, "tallix", help_text)) return *status;
    // Wayland lets no client place its own window; the window docks and clamps itself.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Without a display that answers, Qt would abort with a message about reinstalling;
    // say what is missing instead, before anything is read or written.
    if (const std::string problem = platform::qt::display_problem(); !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    QGuiApplication::setDesktopFileName(QStringLiteral(TALLIX_APP_ID));
    platform::qt::qt_application application(argc, argv);
    std::optional<platform::qt::qt_link_service> link;
    try {
        platform::qt::qt_forms_runtime forms;
        platform::qt::qt_window_system windows(forms);
        platform::local_file_system settings_files;
        link.emplace(forms.exe_name());
        app::calc_services services{forms,
                                    windows,
                                    [] { return std::make_unique<platform::local_file_system>(); },
                                    &settings_files,
                                    store::user_data_folder(std::getenv("XDG_DATA_HOME"), home_folder()),
                                    &*link};
        services.installed_copy = store::installed_copy(settings_files, forms.app_path(), TALLIX_APP_ID);
        app::calc main_window(std::move(services));
        if (!main_window.load()) return 0;
        main_window.show();
        application.close_windows_on_termination_signals();
        return application.exec();
    } catch (...) {
        // A second start shows no window of its own, not even a dialog.
        if (link && link->previous_instance()) platform::qt::report_second_start_failure();
        platform::qt::report_current_exception();
    }
}
