# SPDX-License-Identifier: GPL-3.0-or-later
# Where `cmake --install` and the Debian package put the editor: the program, its menu entry,
# icons, AppStream description, manual pages, the MIME type of its fonts and the licence, each
# where desktops, software centres, man and dpkg look.
include(GNUInstallDirs)

# The menu entry, the icon, the AppStream data and the MIME type are all named after this id,
# as Flathub asks. It is the reverse of the name glyphery.invalid: the project has no domain
# of its own yet, and .invalid is the top-level name reserved for names that do not exist.
set(GLYPHERY_APP_ID invalid.glyphery.glyphery)
set(glyphery_docdir ${CMAKE_INSTALL_DATADIR}/doc/glyphery)

install(TARGETS glyphery glyphery-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The converter's modules (PNG; tapes and snapshots), which it loads from there, below its own
# folder's parent. Not directly in a library folder: ldconfig has no business with modules no
# one links.
install(TARGETS glyphery_png glyphery_spectrum
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/glyphery/modules)
# A plain strip keeps the compiler's .comment and .note sections; Debian's dh_strip drops them.
foreach(binary ${CMAKE_INSTALL_BINDIR}/glyphery ${CMAKE_INSTALL_BINDIR}/glyphery-convert
        ${CMAKE_INSTALL_LIBDIR}/glyphery/modules/glyphery-png.so
        ${CMAKE_INSTALL_LIBDIR}/glyphery/modules/glyphery-spectrum.so)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            execute_process(
                COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${binary}\"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()")
endforeach()

install(FILES ${CMAKE_CURRENT_LIST_DIR}/${GLYPHERY_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/pictures/glyphery-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${GLYPHERY_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${GLYPHERY_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${GLYPHERY_APP_ID}.mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME ${GLYPHERY_APP_ID}.xml)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${GLYPHERY_APP_ID}.thumbnailer
    DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${glyphery_docdir})

# Manual pages and the changelog go compressed at the highest level and without gzip's record
# of the file's name and time, as lintian asks: the bytes depend on the contents alone.
set(glyphery_compressed_dir ${PROJECT_BINARY_DIR}/packaging)
set(glyphery_compressed)
function(glyphery_compress source name)
    set(plain ${glyphery_compressed_dir}/${name})
    add_custom_command(OUTPUT ${plain}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
        COMMAND gzip -9nf ${plain}
        DEPENDS ${source}
        VERBATIM)
    set(glyphery_compressed ${glyphery_compressed} ${plain}.gz PARENT_SCOPE)
endfunction()
foreach(page glyphery glyphery-convert)
    glyphery_compress(${CMAKE_CURRENT_LIST_DIR}/${page}.1 man/${page}.1)
    glyphery_compress(${CMAKE_CURRENT_LIST_DIR}/${page}.ru.1 man/ru/${page}.1)
    install(FILES ${glyphery_compressed_dir}/man/${page}.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${glyphery_compressed_dir}/man/ru/${page}.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/ru/man1)
endforeach()
glyphery_compress(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian changelog.Debian)
# Building the program alone must be enough for `cmake --install`, so it brings these along.
add_custom_target(glyphery_compressed_docs DEPENDS ${glyphery_compressed})
add_dependencies(glyphery glyphery_compressed_docs)

# The Debian changelog and lintian's overrides mean nothing outside the Debian package, so
# CPack alone installs them.
set(CPACK_INSTALL_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_only.cmake)
set(CPACK_GLYPHERY_DEBIAN_CHANGELOG ${glyphery_compressed_dir}/changelog.Debian.gz)
set(CPACK_GLYPHERY_LINTIAN_OVERRIDES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides)

# `cmake --build build --target package` makes build/glyphery_<version>-<revision>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME glyphery)
set(CPACK_PACKAGE_VENDOR "Glyphery developers")
# No address exists to name; the .invalid name says so rather than pointing at someone else's.
set(CPACK_PACKAGE_CONTACT "Glyphery developers <glyphery@glyphery.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The build keeps its debugging information; the package does not need it.
set(CPACK_STRIP_FILES ON)
# Whatever the builder's umask, the package's folders are 0755 as Debian requires.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The first packaging of upstream version 2.0; packaging/changelog.Debian names the same.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
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
in Russian. Its command-line companion, glyphery-convert, turns fonts into
tapes with a loader, Z80 assembler, C arrays, PNG pictures, Linux console
fonts (PSF) and BDF, and reads most of them back.")
include(CPack)
