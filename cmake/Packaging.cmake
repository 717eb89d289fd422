# A Debian package of the installed files: `cpack -G DEB` in a build folder (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trochodraw)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Trochodraw Developers")
set(CPACK_PACKAGE_CONTACT "Trochodraw Developers <trochodraw@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-wheel drawing machine simulator")
set(CPACK_PACKAGE_DESCRIPTION
    "Trochodraw simulates a drawing machine with two driven wheels, optionally with planet wheels
riding on them, that drive a pantograph or a T-bar carrying a pen. It animates the machine,
traces the pen into an antialiased, coloured figure, knows when a figure closes, and saves
figures as pictures or as SVG/PDF drawings for pen plotters. trochodraw-cli runs the same
machine from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://trochodraw.github.io/")
set(CPACK_STRIP_FILES ON)
include(CPack)
