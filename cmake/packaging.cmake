# What `cmake --install` adds beside the programs and the data folder (freedesktop layout), and
# the Debian package CPack builds from it (`cpack -G DEB` in the build folder).
include(GNUInstallDirs)

set(HVT_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${HVT_PACKAGING_DIR}/hvt7300.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${HVT_PACKAGING_DIR}/hvt7300-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${HVT_PACKAGING_DIR}/icons/hvt7300_48.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
        RENAME hvt7300.png)
install(FILES ${HVT_PACKAGING_DIR}/icons/hvt7300_128.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps RENAME hvt7300.png)
install(FILES ${HVT_DATA_SOURCE_DIR}/hvt7300.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)

set(CPACK_PACKAGE_NAME hvt7300)
set(CPACK_PACKAGE_VENDOR "HVT7300 developers")
set(HVT_PACKAGE_MAINTAINER "HVT7300 maintainers <maintainers@users.noreply.c-seed-6dc98e7f.example>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${HVT_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programming software for HVT7300 two-way radios")
# One line of the package's description per line here, as dpkg shows it.
set(CPACK_PACKAGE_DESCRIPTION
    "Reads, edits and writes the configuration of HVT7300 radios over a programming
cable: channels, options, keys, scan, alarm, DTMF, 2-tone and 5-tone signalling.
Ships the desktop program hvt7300, the command-line tool hvt7300-cli with a
built-in virtual radio, and a user manual in English and Chinese.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY hvt7300)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps when it is there; Qt's platform
# plugins and its translations (the Chinese program's standard buttons and dialogs) are loaded at
# run time, so no scan finds them.
find_program(HVT_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(HVT_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libc6, libstdc++6, libqt6core6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6widgets6 (>= 6.2), \
libqt6serialport6 (>= 6.2), qt6-qpa-plugins, qt6-translations-l10n")
endif()

include(CPack)
