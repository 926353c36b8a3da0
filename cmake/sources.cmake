# sources.cmake -- which sources form the headless core, the drawing library and the programs
# Read by the top CMakeLists.txt and by tests/check_headless.cmake, so the rule lives here only:
# everything under src/ is headless core except src/gui/ (FLTK windows), src/cli/ (the
# command-line companion) and files ending in _gl.cpp or _gl.h (drawing).

set(VELMORA_NOT_CORE_REGEX "/src/(gui|cli)/|_gl\\.(cpp|h)$")

# velmora_sources(ROOT OUT_CORE OUT_GL OUT_GUI OUT_CLI): .cpp files by part; with
# headers too when ROOT is followed by WITH_HEADERS in the call (the headless check)
function(velmora_sources root core gl gui cli)
  set(pat ${root}/src/*.cpp)
  if(ARGN STREQUAL "WITH_HEADERS")
    list(APPEND pat ${root}/src/*.h)
  endif()
  if(CMAKE_SCRIPT_MODE_FILE)
    file(GLOB_RECURSE all ${pat})
  else()
    file(GLOB_RECURSE all CONFIGURE_DEPENDS ${pat})
  endif()
  set(c ${all})
  list(FILTER c EXCLUDE REGEX "${VELMORA_NOT_CORE_REGEX}")
  set(g ${all})
  list(FILTER g INCLUDE REGEX "_gl\\.(cpp|h)$")
  list(FILTER g EXCLUDE REGEX "/src/(gui|cli)/")
  set(u ${all})
  list(FILTER u INCLUDE REGEX "/src/gui/")
  set(k ${all})
  list(FILTER k INCLUDE REGEX "/src/cli/")
  set(${core} ${c} PARENT_SCOPE)
  set(${gl} ${g} PARENT_SCOPE)
  set(${gui} ${u} PARENT_SCOPE)
  set(${cli} ${k} PARENT_SCOPE)
endfunction()
