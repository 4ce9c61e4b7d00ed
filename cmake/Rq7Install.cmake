# What `cmake --install` puts where, in the GNU directory layout under
# CMAKE_INSTALL_PREFIX (/usr for the Debian package, /usr/local by default).
# Two components, one per Debian binary package: rq7-init (everything but
# the simulated device) and rq7-sim (the simulated device and its manual).
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME rq7-init)

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
# The programs are linked with the RUNPATH of both trees: the library
# folder (installed tree), then the program's own folder (build folder,
# where the library sits beside the programs). CMake's own rewrite at
# install time would need padding in the build tree, empty entries the
# loader takes for the current directory; instead the installed copy is
# shortened in place to the library folder alone, so an installed program
# never probes /usr/bin for its libraries.
set(rq7_installed_runpath "$ORIGIN/${rq7_bin_to_lib}")
set(rq7_linked_programs rq7-init rq7ctl)
set_target_properties(${rq7_linked_programs} PROPERTIES
  BUILD_WITH_INSTALL_RPATH ON
  INSTALL_RPATH "${rq7_installed_runpath};$ORIGIN")
file(RELATIVE_PATH rq7_bin_to_doc ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${rq7_doc_install_dir})
target_compile_definitions(rq7-init PRIVATE RQ7_INSTALLED_LANG_DIR="${rq7_bin_to_lang}"
                                            RQ7_INSTALLED_DOC_DIR="${rq7_bin_to_doc}"
                                            RQ7_APP_ID="${RQ7_APP_ID}")

install(TARGETS ${rq7_linked_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(program IN LISTS rq7_linked_programs)
  install(CODE "file(RPATH_SET FILE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\"
                    NEW_RPATH \"${rq7_installed_runpath}\")")
endforeach()
install(TARGETS rq7-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT rq7-sim)
# The library with its SONAME link; without headers, no development link.
install(TARGETS Languages LIBRARY DESTINATION ${rq7_lib_install_dir} NAMELINK_SKIP)

file(GLOB rq7_language_files ${PROJECT_SOURCE_DIR}/lang/*.lng)
install(FILES ${rq7_language_files} DESTINATION ${rq7_lang_install_dir})

# Files made from packaging/ at build time (the version filled in, compressed).
set(rq7_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(rq7_generated ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${rq7_generated})
set(rq7_generated_files)

# Desktop menu entry, icon and software-centre description (its newest
# release is the project's version).
install(FILES ${rq7_packaging}/${RQ7_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${rq7_packaging}/${RQ7_APP_ID}.metainfo.xml ${rq7_generated}/${RQ7_APP_ID}.metainfo.xml @ONLY)
install(FILES ${rq7_generated}/${RQ7_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The settings files' type (*.eep), so that file managers open them here.
install(FILES ${rq7_packaging}/${RQ7_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${RQ7_APP_ID}.xml)
set(rq7_icon ${PROJECT_SOURCE_DIR}/app/rq7-init.svg)
set(rq7_icons_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${rq7_icon} DESTINATION ${rq7_icons_dir}/scalable/apps)

# PNG sizes of the icon for menus that take no SVG, rendered by rsvg-convert
# (librsvg2-bin). AUTO renders them when the tool is there.
set(RQ7_PNG_ICONS AUTO CACHE STRING "Render PNG icons from the SVG: ON, OFF or AUTO (when rsvg-convert is found)")
set_property(CACHE RQ7_PNG_ICONS PROPERTY STRINGS ON OFF AUTO)
if(NOT RQ7_PNG_ICONS STREQUAL "OFF")
  find_program(RQ7_RSVG_CONVERT rsvg-convert)
  if(NOT RQ7_RSVG_CONVERT AND RQ7_PNG_ICONS STREQUAL "ON")
    message(FATAL_ERROR "RQ7_PNG_ICONS=ON needs rsvg-convert (Debian package librsvg2-bin)")
  elseif(NOT RQ7_RSVG_CONVERT)
    message(STATUS "rsvg-convert not found (librsvg2-bin): only the SVG icon is installed")
  endif()
endif()
if(RQ7_RSVG_CONVERT AND NOT RQ7_PNG_ICONS STREQUAL "OFF")
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${rq7_generated}/icons/${size}x${size}/rq7-init.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${rq7_generated}/icons/${size}x${size}
      COMMAND ${RQ7_RSVG_CONVERT} --width ${size} --height ${size} --keep-aspect-ratio
              --output ${png} ${rq7_icon}
      DEPENDS ${rq7_icon}
      COMMENT "Rendering the ${size} px icon")
    list(APPEND rq7_generated_files ${png})
    install(FILES ${png} DESTINATION ${rq7_icons_dir}/${size}x${size}/apps)
  endforeach()
endif()

# Serial adapters for the dialout group, out of ModemManager's way.
install(FILES ${rq7_packaging}/60-rq7-init-serial.rules DESTINATION ${RQ7_UDEV_RULES_DIR})

# Manual pages, their headers naming the version and its release date,
# compressed as Debian keeps them.
foreach(page rq7-init rq7ctl rq7-sim)
  configure_file(${rq7_packaging}/man/${page}.1 ${rq7_generated}/${page}.1 @ONLY)
  set(gz ${rq7_generated}/${page}.1.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND gzip -9 -n -c ${rq7_generated}/${page}.1 > ${gz}
    DEPENDS ${rq7_generated}/${page}.1
    COMMENT "Compressing the manual page ${page}.1")
  list(APPEND rq7_generated_files ${gz})
  if(page STREQUAL "rq7-sim")
    install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT rq7-sim)
  else()
    install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
add_custom_target(rq7_packaging_files ALL DEPENDS ${rq7_generated_files})

# The user guide (README.md) and the copyright; the Debian package build
# adds each package's own copyright and changelog.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/debian/copyright
        DESTINATION ${rq7_doc_install_dir})
# A sample list only: the program reads lum_smsc.ini, which stays the
# user's own file (beside the program or in /etc/rq7-init/).
install(FILES ${rq7_packaging}/lum_smsc.ini.example DESTINATION ${rq7_doc_install_dir}/examples)
