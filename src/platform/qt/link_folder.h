// Where the link between copies lives on this machine: a folder that only the user can
// enter, holding each served topic's socket and each program's instance lock
// (platform/file_lock.h). Part of
// the socket transport (qt_link_service.cpp); plain POSIX, so it is tested without Qt.
#pragma once

#include <string>

namespace platform::qt {

// The user's private folder for the link: "tallix-link" in $XDG_RUNTIME_DIR when that
// names a folder of the user's, otherwise "tallix-link-<uid>" in the temporary folder
// ($TMPDIR or /tmp). Created with mode 0700 if missing. Returns an empty text when no
// folder can be made that only the user can enter (it exists as something else, belongs
// to somebody else, or cannot be created).
std::string link_folder();

// Makes sure `path` is a real folder (not a link) of this user's with mode 0700,
// creating it if missing; false when that cannot be had.
bool make_private_folder(const std::string& path);

}  // namespace platform::qt
