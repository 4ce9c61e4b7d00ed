# libcsv (Debian: libcsv-dev), the CSV reader behind the series tables.
# Defines the imported target LibCsv::LibCsv.
find_path(LIBCSV_INCLUDE_DIR csv.h)
find_library(LIBCSV_LIBRARY NAMES csv)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(LibCsv REQUIRED_VARS LIBCSV_LIBRARY LIBCSV_INCLUDE_DIR
                                  REASON_FAILURE_MESSAGE "install libcsv-dev (./scripts/deps)")
if(LibCsv_FOUND AND NOT TARGET LibCsv::LibCsv)
  add_library(LibCsv::LibCsv UNKNOWN IMPORTED)
  set_target_properties(LibCsv::LibCsv PROPERTIES IMPORTED_LOCATION "${LIBCSV_LIBRARY}"
                                                  INTERFACE_INCLUDE_DIRECTORIES "${LIBCSV_INCLUDE_DIR}")
endif()
mark_as_advanced(LIBCSV_INCLUDE_DIR LIBCSV_LIBRARY)
