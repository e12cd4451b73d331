# The Debian package, built by scripts/package.sh (cpack -G DEB).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavir)
set(CPACK_PACKAGE_VENDOR "Lanshan Radio Works")
set(CPACK_PACKAGE_CONTACT "${KAVIR_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for 16-channel hand-held two-way radios")
set(CPACK_PACKAGE_DESCRIPTION
    "KAVIR reads a radio's settings over a serial cable, shows them on one
two-page form (channel frequencies and tones, power, bandwidth, scanning,
busy lock, time-out timer, squelch, keys), writes them back and checks the
result, keeps them as profile files and prints a one-page programming report.
.
The package holds the desktop program kavir, kavir-cli for the same
operations from a shell (also writing one set-up into a batch of radios) and
kavir-radio-sim, a virtual radio for demonstrations, training and tests.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/strip_comment.cmake)
# Folders as Debian has them, whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The screen is Chinese: without a CJK font it shows boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk")
# Qt's own dialogs in Chinese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")

include(CPack)
