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

# Files installed compressed, as Debian keeps manual pages and changelogs: at the
# highest level and without the source's name and time stamp (gzip -9n), so every
# build gives the same bytes.
find_program(QUILLET_GZIP gzip REQUIRED)
set(QUILLET_COMPRESSED)
function(quillet_compress source output)
  get_filename_component(folder ${output} DIRECTORY)
  string(REGEX REPLACE "\\.gz$" "" uncompressed ${output})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${uncompressed}
    COMMAND ${QUILLET_GZIP} -9nf ${uncompressed}
    DEPENDS ${source} VERBATIM)
  set(QUILLET_COMPRESSED ${QUILLET_COMPRESSED} ${output} PARENT_SCOPE)
endfunction()

# The manual pages: the English one for every locale that has none of its own,
# the Russian one for Russian locales.
set(QUILLET_MAN_DIR ${CMAKE_BINARY_DIR}/man)
quillet_compress(${QUILLET_PACKAGING_DIR}/quillet.1 ${QUILLET_MAN_DIR}/man1/quillet.1.gz)
quillet_compress(${QUILLET_PACKAGING_DIR}/quillet.ru.1 ${QUILLET_MAN_DIR}/ru/man1/quillet.1.gz)
install(FILES ${QUILLET_MAN_DIR}/man1/quillet.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${QUILLET_MAN_DIR}/ru/man1/quillet.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)

# The licence, and the package's changelog.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillet
        RENAME copyright)
set(QUILLET_DOC_DIR ${CMAKE_BINARY_DIR}/doc)
quillet_compress(${QUILLET_PACKAGING_DIR}/changelog.Debian ${QUILLET_DOC_DIR}/changelog.Debian.gz)
install(FILES ${QUILLET_DOC_DIR}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillet)
add_custom_target(quillet_compressed_docs ALL DEPENDS ${QUILLET_COMPRESSED})
# What lintian says of the package that does not apply to it, each with why.
install(FILES ${QUILLET_PACKAGING_DIR}/quillet.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME quillet)

# The Debian package. Its dependencies are those of the program and the printer
# module, found by dpkg-shlibdeps from the libraries they link (the C and C++
# runtimes and Qt's libraries among them), and two it cannot see: the platform
# plugins that open the windows and the translations that make Qt's own dialogs
# Russian, which Qt loads at run time. Nothing for building or testing.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quillet authors")
set(CPACK_PACKAGE_CONTACT "The Quillet authors <quillet@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plain-text editor for Russian-speaking users")
set(CPACK_PACKAGE_DESCRIPTION "Quillet (Квиллет) edits one plain-text document at a time.
It keeps documents as Windows-1251 text with CR LF line breaks and converts
DOS (866) and KOI8-R text when a file is opened. Everything it shows is in
Russian.
.
It finds and replaces text, goes to a character by its number, prints on the
default printer, stamps log files with the time and date and changes the case
of the selection. One font, colour, background and alignment apply to the
whole document.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The package carries the program without its debugging information.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Debian revision. The latest entry of packaging/changelog.Debian names the
# version with it: a new version needs a new entry there (the packaging test
# compares the two).
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Quillet authors <quillet@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillet.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins (>= 6.4), qt6-translations-l10n")
include(CPack)
