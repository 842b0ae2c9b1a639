# A Debian package of the installed files: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME vornick)
set(CPACK_PACKAGE_VENDOR "Vornick")
set(CPACK_PACKAGE_CONTACT "Vornick developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
  "Vornick gathers music files into a list, proposes tidy names for them (punctuation removed,\
 underscores to spaces, dashes spaced, words capitalised), renames the checked ones and can\
 rename them back. It never overwrites a file.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link come from dpkg-shlibdeps; the font that stands in for Arial
# is only recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
include(CPack)
