# `cpack -G DEB` in a build tree: a Debian package of what `cmake --install` puts in
# place, under /usr, its dependencies taken from the shared libraries the programs
# link (dpkg-shlibdeps, from dpkg-dev).
set(CPACK_PACKAGE_NAME passcat)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "difficulty categories of mountain passes from altitude profiles")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
if(NOT CPACK_PACKAGE_CONTACT)
  set(CPACK_PACKAGE_CONTACT "passcat developers <passcat@example.org>")
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts in Russian; without them the window still works, in part in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_PACKAGE_DESCRIPTION "passcat rates the difficulty of mountain obstacles (passes) on a hiking
route from the altitude profile a trip leader writes down: every profile
point gets a score and a difficulty category from 0 to 6, one point is
recommended, and the report is written as a tab-separated text file.

The package holds the window (passcat) and the command line (passcat-cli);
all user-visible text is Russian.")
include(CPack)
