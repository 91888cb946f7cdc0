# The Debian package: in a release build folder, `cpack -G DEB` makes
# m720_VERSION_ARCH.deb from the install rules (both programs, the udev rule,
# the desktop entry, the metainfo and the icon) with the library packages it
# needs found by dpkg-shlibdeps, and the udev rule reloaded and applied on
# install. The README tells how to build and install it.

include(GNUInstallDirs)

set(M720_PACKAGE_MAINTAINER "M720 commissioning tool developers <m720-dev@lists.m720.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME m720)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${M720_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "commissioning tool for the M720 fire alarm control panel")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${M720_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev")
# The extended description only: cpack puts the summary above it as the
# synopsis. One string, or CMake would join the lines with ';'.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "Reads, edits, checks and sends the site configuration of an M720 panel\n"
       "over USB: panel options and access codes, display texts, the\n"
       "cause-and-effect matrix and the loop devices. It also exports CSV files,\n"
       "shows the event logs and updates the panel's firmware.\n"
       "\n"
       "The package holds the desktop program m720, the command line tool\n"
       "m720-cli and a udev rule that gives the user at the seat access to the\n"
       "panel.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/cmake/deb/postinst ${PROJECT_SOURCE_DIR}/cmake/deb/postrm)

# What Debian asks of every package: the copyright file and a compressed
# changelog in its doc folder (gzip -n: no time stamp inside). They go into
# the package only, not into a plain cmake --install.
set(m720_doc ${PROJECT_BINARY_DIR}/deb-doc/share/doc/m720)
file(MAKE_DIRECTORY ${m720_doc})
configure_file(${PROJECT_SOURCE_DIR}/cmake/deb/copyright ${m720_doc}/copyright COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/deb/changelog ${PROJECT_BINARY_DIR}/deb-doc/changelog
               @ONLY)
execute_process(COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/deb-doc/changelog
                OUTPUT_FILE ${m720_doc}/changelog.gz)
# The pair is a folder and where it goes below the package root.
set(CPACK_INSTALLED_DIRECTORIES "${PROJECT_BINARY_DIR}/deb-doc/share;usr/share")

include(CPack)
