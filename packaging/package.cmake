# SPDX-License-Identifier: GPL-3.0-or-later
# Two Debian packages of the installed files (cpack -G DEB in the build folder): vornick-cli, the
# command line, which needs QtCore and ICU only, and vornick, the window with the Qt GUI stack.
# The libraries each needs come from dpkg-shlibdeps on its own programs.
set(CPACK_PACKAGE_NAME vornick)
set(CPACK_PACKAGE_VENDOR "Vornick developers")
set(CPACK_PACKAGE_CONTACT "${VORNICK_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VORNICK_CONTACT}")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli)
if(VORNICK_WINDOW)
  list(APPEND CPACK_COMPONENTS_ALL window)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)

# Each package's description starts with its own synopsis, so no common summary goes before it;
# CPack starts each further line with a space, and an empty one stands for a new paragraph.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
set(vornick_about
  "Vornick proposes tidy names for music files (punctuation removed, underscores\n"
  "to spaces, dashes spaced, words capitalised), renames the checked ones and can\n"
  "rename them back. It never overwrites a file.\n\n")
string(CONCAT CPACK_DEBIAN_CLI_DESCRIPTION
  "tidy the file names of music files from the command line\n" ${vornick_about}
  "This package holds vornick-cli, which shows the proposed names, writes them as\n"
  "a plan, renames by a plan and back, and sets the file types that folders give.")
string(CONCAT CPACK_DEBIAN_WINDOW_DESCRIPTION
  "tidy the file names of music files in a window\n" ${vornick_about}
  "This package holds vornick, the window: gather files and folders into a list,\n"
  "check the proposed names, press Rename; Undo renames them back.")
set(CPACK_DEBIAN_CLI_PACKAGE_NAME ${VORNICK_CLI_PACKAGE})
set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME ${VORNICK_WINDOW_PACKAGE})
# Without XWayland a Wayland session needs Qt's Wayland plugin; Liberation Sans stands in for the
# Arial the window asks for; Qt's own translations word its dialogs in the user's language.
set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS "qt6-wayland, fonts-liberation, qt6-translations-l10n")
include(CPack)
