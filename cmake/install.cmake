# install.cmake -- install rules (programs, libraries, samples, desktop entry, icon, manual
# pages), their test, and the Debian package; included at the end of the top CMakeLists.txt
include(GNUInstallDirs)

# the numeric libraries serve these programs only, so they stay out of the system's
# library path, in the architecture's private folder (no ldconfig in the package's scripts);
# the programs find them through their run path
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(VELMORA_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}/velmora")
else()
  set(VELMORA_LIBDIR "lib/velmora")
endif()
set(VELMORA_SAMPLES "${CMAKE_INSTALL_DATADIR}/velmora/data")

#------------------------------------------------------------------ programs and libraries
set(velmora_programs)
foreach(t velmora velmora-kin)
  if(TARGET ${t})
    list(APPEND velmora_programs ${t})
  endif()
endforeach()
set(velmora_libs)
foreach(t numlib_runtime torvik selmar pondrel quenta)
  if(TARGET ${t})
    list(APPEND velmora_libs ${t})
  endif()
endforeach()

# the samples a moved tree finds beside its programs come first; then the installed ones, then
# the source tree's, so that a program run from its build folder never makes an empty folder.
# A package build (VELMORA_PACKAGE) has no source tree to fall back on: no path of the build
# machine goes into its programs
option(VELMORA_PACKAGE "build for the Debian package: no fallback to the source tree" OFF)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/base/data_dir.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             VELMORA_SAMPLES_DIR="${CMAKE_INSTALL_PREFIX}/${VELMORA_SAMPLES}")
if(NOT VELMORA_PACKAGE)
  set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/base/data_dir.cpp APPEND PROPERTY
               COMPILE_DEFINITIONS VELMORA_SOURCE_SAMPLES_DIR="${CMAKE_SOURCE_DIR}/data")
endif()

if(velmora_programs)
  set_target_properties(${velmora_programs} PROPERTIES
                        INSTALL_RPATH "$ORIGIN/../${VELMORA_LIBDIR}")
  install(TARGETS ${velmora_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(velmora_libs)
  # a library finds the runtime beside itself
  set_target_properties(${velmora_libs} PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${velmora_libs} LIBRARY DESTINATION ${VELMORA_LIBDIR})
endif()

#------------------------------------------------------------------ samples
# not the posture files the program writes beside the samples, nor hidden or backup files
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${VELMORA_SAMPLES}
        PATTERN ".*" EXCLUDE
        PATTERN "*~" EXCLUDE
        PATTERN "*.Characteristic" EXCLUDE
        PATTERN "*.Maxreach" EXCLUDE)

#------------------------------------------------------------------ desktop entry, icon, manuals
install(FILES ${CMAKE_SOURCE_DIR}/dist/velmora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(px 48 128)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/${px}/velmora.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${px}x${px}/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/dist/org.velmora.Velmora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# manual pages carry the version and are installed compressed
set(velmora_man)
foreach(page velmora velmora-kin)
  configure_file(${CMAKE_SOURCE_DIR}/dist/${page}.1.in ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.1.gz
                     COMMAND gzip -9n -c ${page}.1 > ${page}.1.gz
                     DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.1
                     WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/man)
  list(APPEND velmora_man ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
endforeach()
add_custom_target(velmora_man ALL DEPENDS ${velmora_man})
install(FILES ${velmora_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

#------------------------------------------------------------------ licence and changelog
# the Debian copyright file (the MIT licence) and the changelog, compressed as Debian wants
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog.gz
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
                   COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/dist/changelog
                           > ${CMAKE_BINARY_DIR}/doc/changelog.gz
                   DEPENDS ${CMAKE_SOURCE_DIR}/dist/changelog)
add_custom_target(velmora_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/doc/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

#------------------------------------------------------------------ test
# install into a scratch prefix and run from there: no library path, another working
# directory, a first start in a scratch home; the desktop entry and manual pages checked
add_test(NAME install_tree
         COMMAND sh ${CMAKE_SOURCE_DIR}/tests/install/check_install.sh
                 ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
set_tests_properties(install_tree PROPERTIES LABELS install)

#------------------------------------------------------------------ Python module
# beside Debian's own modules (dist-packages); it finds the numeric libraries through its run
# path, and the package needs the interpreter it was built for and numpy
if(TARGET velmora_py)
  file(RELATIVE_PATH velmora_py_to_libs "/lib/python3/dist-packages" "/${VELMORA_LIBDIR}")
  set_target_properties(velmora_py PROPERTIES INSTALL_RPATH "$ORIGIN/${velmora_py_to_libs}")
  install(TARGETS velmora_py LIBRARY DESTINATION lib/python3/dist-packages)
  set(velmora_py_depends "python3 (>= ${VELMORA_PYTHON_VERSION}), "
                         "python3 (<< ${VELMORA_PYTHON_NEXT}), python3-numpy")
  string(CONCAT velmora_py_depends ${velmora_py_depends})
  if(CPACK_DEBIAN_PACKAGE_DEPENDS)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}, ${velmora_py_depends}")
  else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${velmora_py_depends}")
  endif()
endif()

#------------------------------------------------------------------ Debian package
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "velmora")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora-devel@lists.velmora.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "study serial robot manipulators in a 3D view")
# the summary above is the first line; CPack indents these lines
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Velmora loads robots described by Denavit-Hartenberg parameters, poses them by
forward and iterative inverse kinematics, plays joint and Cartesian
trajectories, places a work environment around them, shows kinematic
performance indices, edits and saves robots and exports the view as EPS, PS,
PDF or SVG. velmora-kin answers the same kinematics from the shell.")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    "${CPACK_PACKAGING_INSTALL_PREFIX}/${VELMORA_LIBDIR}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_OUTPUT_FILE_PREFIX "${CMAKE_BINARY_DIR}/package")
include(CPack)

# every option of velmora --help appears in velmora(1)
if(TARGET velmora)
  add_test(NAME velmora_man_options
           COMMAND sh ${CMAKE_SOURCE_DIR}/tests/man/check_velmora_man.sh
                   $<TARGET_FILE:velmora> ${CMAKE_BINARY_DIR}/man/velmora.1)
  set_tests_properties(velmora_man_options PROPERTIES LABELS install)
endif()
