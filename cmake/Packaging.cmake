# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package varmkalk, made by `cpack -G DEB` from an install to /usr (scripts/package.sh).
# Its dependencies are the shared libraries the programs link, found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varmkalk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VARMKALK developers")
set(CPACK_PACKAGE_CONTACT "The VARMKALK developers <varmkalk@varmkalk.se>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "annual efficiency of a gas-fired boiler in a house")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://varmkalk.se/")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME varmkalk)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Swedish texts, under the program's translation of those Qt's lacks.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The extended description; CPack puts the summary above it as the first line.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "VARMKALK computes the annual efficiency of a gas-fired boiler in a Swedish\n"
  "single-family house from a day-by-day heat balance of the boiler over a year\n"
  "of measured outdoor temperatures at one of six Swedish weather stations.\n"
  "\n"
  "The package holds the windowed front end varmkalk (in Swedish), the console\n"
  "engine kalvex and the six climate files (SMHI open data, CC BY 4.0).")

include(CPack)
