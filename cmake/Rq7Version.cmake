# The one version every program prints (--version) and the package carries:
# the project's version, as a header the programs include.
configure_file(${CMAKE_CURRENT_LIST_DIR}/Rq7Version.h.in
               ${CMAKE_BINARY_DIR}/generated/rq7/Version.h @ONLY)
add_library(rq7_version INTERFACE)
target_include_directories(rq7_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
