# A Debian package of what cmake --install puts in place: `cpack -G DEB` in the build folder. It
# installs under /usr, with the login entry in /etc/xdg/autostart. The install code writes the entries
# for the final prefix, so the package is staged with DESTDIR rather than under a staging prefix.
set(CPACK_PACKAGE_NAME kova2mix)
set(CPACK_PACKAGE_VENDOR "Kova 2 Card Manager developers")
set(CPACK_PACKAGE_CONTACT "Kova 2 Card Manager developers <kova2mix@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tray program that controls up to four Kova 2 audio cards")
set(CPACK_PACKAGE_DESCRIPTION "The Kova 2 Card Manager sits in the tray and opens the mixer windows and the
card settings of up to four Kova 2 cards. It comes with the simulated card's driver and its admin
tool, kova2-card.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries from dpkg-shlibdeps; the fonts the windows are laid out for by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# The login entry is the one file under /etc: an administrator's change to it survives an upgrade.
file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles "/etc/xdg/autostart/kova2mix.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/conffiles)
include(CPack)
