# The Debian package (./scripts/package runs `cpack` in a build configured
# with CMAKE_INSTALL_PREFIX=/usr): what the install rules put into the tree,
# with dependencies from dpkg-shlibdeps.
set(RQ7_PACKAGE_MAINTAINER "RQ7 Init developers <rq7-init@example.com>" CACHE STRING
    "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rq7-init)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "RQ7 Init developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for RQ7 GSM alarm communicators")
# The synopsis is the summary above; this is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "RQ7 Init reads the settings of an RQ7 GSM communicator over a serial cable,
edits them on a four-page window, writes them back with read-back
verification, keeps them in files and prints a report of them.
.
The package also holds rq7ctl, a command-line companion for scripting and
checking settings files, and rq7-sim, a simulated device on a
pseudo-terminal.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${RQ7_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# rq7-init_<version>_<arch>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libLanguages.so.1 is private (found through the programs' RUNPATH), so
# there is no shlibs file and no ldconfig call.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# Only the files the install rules name; no folder of their own is packed.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})

# The changelog's newest entry and the AppStream release must name the
# version being packed.
set(CPACK_RQ7_VERSION ${PROJECT_VERSION})
set(CPACK_RQ7_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/CheckPackageVersion.cmake)

include(CPack)
