# Where `cmake --install` and the Debian package put the editor: the program, its menu entry,
# its icons and its AppStream description, each where desktops and software centres look.
include(GNUInstallDirs)

install(TARGETS glyphery RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/glyphery.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The menu entry names the icon "glyphery"; the theme picks the size it needs.
foreach(size 16 32 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/pictures/glyphery-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME glyphery.png)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/io.github.glyphery.Glyphery.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# `cpack -G DEB` in the build folder makes glyphery_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphery)
set(CPACK_PACKAGE_VENDOR "Glyphery developers")
set(CPACK_PACKAGE_CONTACT "Glyphery developers <glyphery@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The build keeps its debugging information; the package does not need it.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Glyphery developers <glyphery@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps turns the libraries the program links into dependencies on Debian's own Qt
# packages. What it loads by name at run time is named here: the window's font face and Qt's
# Russian translations.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
# CPack puts the summary above this as the package's first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Glyphery draws and edits the character sets of the ZX Spectrum: 96 characters
of 8 x 8 pixels each, up to 64 sets in one font, as they lie in Spectrum
memory. It paints, inverts, mirrors, turns and shifts characters, saves raw
Spectrum bytes (SpecCHR) and imports the older gph format. The interface is
in Russian.")
include(CPack)
