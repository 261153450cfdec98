# The Debian package, built by `make package` (cpack in the default build folder) into
# build/default/packages. It holds what cmake/install.cmake installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvomen)
set(CPACK_PACKAGE_VENDOR "The Tarvomen developers")
set(CPACK_PACKAGE_CONTACT "${TARVOMEN_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "site builder for a small on-line shop")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvomen keeps the content of one shop web site - the home page, up to thirty
products, two link pages, and each page's colours, fonts and media - and builds
a static HTML site from it, with an optional shopping-cart order form. It
previews the site in the browser and publishes it to the shop's FTP server.
.
The package holds the desktop program, tarvomen-cli for the same work from the
command line, and sample media themes.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TARVOMEN_HOMEPAGE_URL}")
# Libraries from the binaries; the Qt platform plugins and xdg-open are loaded or started at run
# time, so dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, xdg-utils")
# Qt's own texts (message box buttons, the file dialog) in French.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
