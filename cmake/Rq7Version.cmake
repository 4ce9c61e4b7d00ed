# The one version every program prints (--version) and the package carries:
# the project's version, as a header the programs include.
configure_file(${CMAKE_CURRENT_LIST_DIR}/Rq7Version.h.in
               ${CMAKE_BINARY_DIR}/generated/rq7/Version.h @ONLY)
add_library(rq7_version INTERFACE)
target_include_directories(rq7_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# debian/changelog's newest entry must be for this version (its upstream
# part, before the Debian revision), so the package carries the version the
# programs print.
set(rq7_changelog ${PROJECT_SOURCE_DIR}/debian/changelog)
if(EXISTS ${rq7_changelog})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${rq7_changelog})
  file(STRINGS ${rq7_changelog} rq7_newest LIMIT_COUNT 1)
  if(NOT rq7_newest MATCHES "^rq7-init \\(([^)-]+)(-[^)]*)?\\) ")
    message(FATAL_ERROR "debian/changelog: the first line names no version of rq7-init: ${rq7_newest}")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "Version mismatch: debian/changelog's newest entry is ${CMAKE_MATCH_1}, "
                        "CMakeLists.txt's project version is ${PROJECT_VERSION}")
  endif()
endif()
