# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack alone, after the project's install rules have staged the package: the files
# that belong to the Debian package and would mean nothing in an install under another prefix.
# file(INSTALL) puts DESTDIR, CPack's staging folder, in front of these paths itself.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(glyphery_file_permissions OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(INSTALL ${CPACK_GLYPHERY_DEBIAN_CHANGELOG}
    DESTINATION ${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/glyphery
    PERMISSIONS ${glyphery_file_permissions})
file(INSTALL ${CPACK_GLYPHERY_LINTIAN_OVERRIDES}
    DESTINATION ${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides
    RENAME glyphery
    PERMISSIONS ${glyphery_file_permissions})
