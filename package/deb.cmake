# A Debian package for school machines: `cpack -G DEB` in the build folder
# packs what `cmake --install` installs, under /usr. The packaging tools
# refresh the menu, file type and icon caches through their own triggers,
# so the install's refresh is left out (it sees DESTDIR).
set(SAKUZU_PACKAGE_MAINTAINER "Sakuzu developers <sakuzu@example.org>" CACHE STRING
    "Maintainer named by the Debian package: name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sakuzu)
set(CPACK_PACKAGE_VENDOR "Sakuzu developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Installed with DESTDIR under /usr, whatever prefix the build was given.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SAKUZU_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "dynamic geometry for mathematics lessons
Sakuzu builds figures of plane geometry from points, lines, circles and
numbers with construction commands: intersections, triangle centres,
tangents, transformations, measurements and expressions. Dragging a free
point or varying a number moves every object built on it, traces loci and
records measured values for a spreadsheet.
The program speaks Japanese and English and comes with example figures for
lessons and a manual for teachers.")
# The libraries the program links: from dpkg-shlibdeps, with the versions
# the build used, or named here without it. The platform and SVG plugins
# ship with libqt6gui6 and libqt6svg6. What the program only loads while
# running is recommended: a Japanese font for the captions, Qt's own
# dialogs in the user's language, a browser for links and the manual.
find_program(SAKUZU_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(SAKUZU_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1, libqt6core6, libqt6gui6, \
libqt6widgets6, libqt6svg6, libqt6printsupport6")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-ipafont-gothic, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
# The copyright notice and the Debian change log, which a package carries
# beside its documentation and a plain install does not need.
string(TIMESTAMP SAKUZU_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_BINARY_DIR}/package/changelog @ONLY)
set(CPACK_SAKUZU_DEBIAN_DOCS ${CMAKE_CURRENT_LIST_DIR}/copyright
    ${CMAKE_BINARY_DIR}/package/changelog)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_docs.cmake)
include(CPack)
