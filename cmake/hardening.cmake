# hardening.cmake -- Debian's hardening flags (dpkg-buildflags, hardening=+all) for every
# build but the sanitizer and fuzzing ones; the flags also map the source folder to "." in
# the programs' debugging and assertion texts
option(VELMORA_HARDEN "compile and link with Debian's hardening flags" ON)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(VELMORA_HARDEN AND DPKG_BUILDFLAGS AND NOT VELMORA_SANITIZE AND NOT VELMORA_FUZZ)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${DPKG_BUILDFLAGS} --get ${kind}
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-O[0-9s]?$|^-g$")   # the build type says those
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
  endforeach()
endif()
