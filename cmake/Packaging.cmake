# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# `make package`: a Debian package (CPack's DEB generator) of exactly what
# `cmake --install` installs under /usr, with the licence and the changelog
# in /usr/share/doc/quilvane as Debian's policy wants them. docs/install.md
# lists the files; scripts/check-package.sh installs the package and checks.

# A new version is named in four places: project() above, the newest entry of
# packaging/changelog, the newest release of the metainfo and the manual
# page's title line. The build stops when they disagree.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog _changelog LIMIT_COUNT 1)
file(READ ${PROJECT_SOURCE_DIR}/res/org.quilvane.Quilvane.metainfo.xml _metainfo)
file(STRINGS ${PROJECT_SOURCE_DIR}/res/quilvane.1 _man REGEX "^\\.TH ")
string(REGEX MATCH "^quilvane \\(([^)]*)\\)" _ ${_changelog})
set(_versions "packaging/changelog=${CMAKE_MATCH_1}")
string(REGEX MATCH "<release version=\"([^\"]*)\"" _ "${_metainfo}")
list(APPEND _versions "metainfo=${CMAKE_MATCH_1}")
string(REGEX MATCH "\"Quilvane ([^\"]*)\"" _ "${_man}")
list(APPEND _versions "quilvane.1=${CMAKE_MATCH_1}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
             ${PROJECT_SOURCE_DIR}/res/org.quilvane.Quilvane.metainfo.xml ${PROJECT_SOURCE_DIR}/res/quilvane.1)
foreach(_named IN LISTS _versions)
  if(NOT _named MATCHES "=${PROJECT_VERSION}$")
    message(FATAL_ERROR "Version ${PROJECT_VERSION} in CMakeLists.txt, but ${_named}: name the new version "
                        "in each of them (the newest entry comes first)")
  endif()
endforeach()

set(_docdir ${CMAKE_INSTALL_DATADIR}/doc/quilvane)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${_docdir})
quilvane_install_gzipped(${PROJECT_SOURCE_DIR}/packaging/changelog ${_docdir} quilvane_changelog)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quilvane)
set(CPACK_PACKAGE_VENDOR "The Quilvane developers")
set(CPACK_PACKAGE_CONTACT "The Quilvane developers <developers@quilvane.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform plugin, for a native window on Wayland desktops
# (without it Qt falls back to XWayland).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# The one program the wallpaper needs on Wayland compositors other than
# GNOME, KDE Plasma and sway.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "swaybg")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "compose a desktop wallpaper from photos
Quilvane lays photos out on a background picture, each one placed and sized
with the mouse, and sets the result as the desktop's wallpaper. It also runs
a timed wallpaper slide show from a list of pictures, from the notification
area while its window is hidden.
.
The wallpaper is set through GNOME, Cinnamon, MATE, KDE Plasma, Xfce, LXQt,
LXDE, sway and other Wayland compositors with the layer shell (through
swaybg), or on the root window of any other X11 session.")
include(CPack)
