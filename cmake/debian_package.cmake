# The Debian package, made by `cpack -G DEB` in a build folder (tools/dev.sh package
# makes it from a Release build): tallix_<version>_<arch>.deb with everything that
# `cmake --install` puts in place, below /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "the tallix authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "free-form calculator that shows the value as you type")
set(CPACK_PACKAGE_DESCRIPTION
"tallix is a small desktop calculator for people who keep one open all
day. A whole formula is typed as free text, over several lines if need
be, and its value appears above it with every keystroke. Formulas use
the VBScript expression language, with angles in degrees written between
angle brackets (sin<30> is 0.5).

The window stays on top, docks at a screen edge and slides out of view;
a history box keeps recorded formulas across restarts. The interface is
in Chinese.

The command tallix-eval evaluates formulas on the command line as the
window does.")
set(CPACK_STRIP_FILES TRUE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TALLIX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TALLIX_HOMEPAGE})
# The libraries the programs link, from dpkg-shlibdeps; then what Qt loads at run time
# (the platform plugin that opens windows) and a font for the Chinese texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk | fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
