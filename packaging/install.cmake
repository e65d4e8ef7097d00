# What `cmake --install` puts on the system, and the Debian package CPack makes
# of it (`cpack` in the build folder).
include(GNUInstallDirs)

set(QUILLET_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS quillet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The printer module, loaded the first time the user prints; the program finds
# it at this path relative to its own folder.
install(TARGETS quillet_printer LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/quillet)

# The launcher entry and the software-centre description.
install(FILES ${QUILLET_PACKAGING_DIR}/${QUILLET_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${QUILLET_PACKAGING_DIR}/${QUILLET_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${QUILLET_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${QUILLET_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: scalable, and the fixed sizes launchers and panels ask for.
set(QUILLET_ICON_SIZES 16 24 32 48 64 128 256)
install(FILES ${QUILLET_PACKAGING_DIR}/icons/${QUILLET_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${QUILLET_ICON_SIZES})
  install(FILES ${QUILLET_PACKAGING_DIR}/icons/${size}/${QUILLET_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page is Russian, like the program: it is found under the Russian
# locale and, since there is no other, under any locale.
install(FILES ${QUILLET_PACKAGING_DIR}/quillet.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${QUILLET_PACKAGING_DIR}/quillet.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)

install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillet
        RENAME copyright)

# The Debian package. It depends only on the Qt libraries the program runs on:
# the platform plugins that open its windows and the translations that make
# Qt's own dialogs Russian among them; nothing for building or testing.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quillet authors")
set(CPACK_PACKAGE_CONTACT "quillet@example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plain-text editor for Russian-speaking users")
set(CPACK_PACKAGE_DESCRIPTION "Quillet (Квиллет) edits one plain-text document at a time. \
It keeps documents as Windows-1251 text with CR LF line breaks and converts DOS (866) and \
KOI8-R text when a file is opened. Everything it shows is in Russian.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The package carries the program without its debugging information.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillet.example.org/")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), qt6-qpa-plugins (>= 6.4), qt6-translations-l10n")
include(CPack)
