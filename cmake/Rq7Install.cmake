# What `cmake --install` puts where, in the GNU directory layout under
# CMAKE_INSTALL_PREFIX (/usr for the Debian package, /usr/local by default).
include(GNUInstallDirs)

set(RQ7_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Folder of the udev rule, relative to the install prefix or absolute")
set(RQ7_APP_ID org.rq7.rq7init) # desktop entry and AppStream component
set(rq7_lang_install_dir ${CMAKE_INSTALL_DATADIR}/rq7-init/lang)
set(rq7_doc_install_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/rq7-init)
# Languages is the programs' own library (no headers are installed), so it
# lives in a folder of its own under the library folder, out of the
# loader's default path: no other package links it.
set(rq7_lib_install_dir ${CMAKE_INSTALL_LIBDIR}/rq7-init)

# Installed programs find the Languages library in its folder and
# rq7-init its language files in the data folder, both relative to the
# program, so an installed tree works wherever it is put (also under
# DESTDIR). In the build folder everything sits side by side ($ORIGIN).
file(RELATIVE_PATH rq7_bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${rq7_lib_install_dir})
file(RELATIVE_PATH rq7_bin_to_lang ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${rq7_lang_install_dir})
# One RUNPATH for both trees, linked in as it is: the library folder (the
# installed tree), then the program's own folder (the build folder, where
# the library sits beside the programs). A RUNPATH rewritten at install
# time would need CMake's padding in the build tree, an empty entry the
# loader takes for the current directory.
set_target_properties(rq7-init rq7ctl PROPERTIES
  BUILD_WITH_INSTALL_RPATH ON
  INSTALL_RPATH "$ORIGIN/${rq7_bin_to_lib};$ORIGIN")
target_compile_definitions(rq7-init PRIVATE RQ7_INSTALLED_LANG_DIR="${rq7_bin_to_lang}")

install(TARGETS rq7-init rq7ctl rq7-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The library with its SONAME link; without headers, no development link.
install(TARGETS Languages LIBRARY DESTINATION ${rq7_lib_install_dir} NAMELINK_SKIP)

file(GLOB rq7_language_files ${PROJECT_SOURCE_DIR}/lang/*.lng)
install(FILES ${rq7_language_files} DESTINATION ${rq7_lang_install_dir})

# Desktop menu entry, icon and software-centre description.
set(rq7_packaging ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${rq7_packaging}/${RQ7_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/app/rq7-init.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${rq7_packaging}/${RQ7_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Serial adapters for the dialout group, out of ModemManager's way.
install(FILES ${rq7_packaging}/60-rq7-init-serial.rules DESTINATION ${RQ7_UDEV_RULES_DIR})

# Manual pages and the changelog, compressed as Debian keeps them.
set(rq7_compressed)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
function(rq7_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9 -n -c ${source} > ${output}
    DEPENDS ${source}
    COMMENT "Compressing ${source}")
  set(rq7_compressed ${rq7_compressed} ${output} PARENT_SCOPE)
endfunction()
foreach(page rq7-init rq7ctl rq7-sim)
  rq7_gzip(${rq7_packaging}/man/${page}.1 ${CMAKE_BINARY_DIR}/packaging/${page}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
rq7_gzip(${rq7_packaging}/changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_target(rq7_compressed_docs ALL DEPENDS ${rq7_compressed})

install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${rq7_packaging}/copyright
        DESTINATION ${rq7_doc_install_dir})
# A sample list only: the program reads lum_smsc.ini, which stays the
# user's own file (beside the program or in /etc/rq7-init/).
install(FILES ${rq7_packaging}/lum_smsc.ini.example DESTINATION ${rq7_doc_install_dir}/examples)
