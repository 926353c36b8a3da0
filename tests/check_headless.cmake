# fails when a headless core source (the rule is in cmake/sources.cmake) includes an FLTK or
# GL header; SRC is the source tree
include(${SRC}/cmake/sources.cmake)
velmora_sources(${SRC} files gl gui cli WITH_HEADERS)
set(bad "")
foreach(f ${files})
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](FL/|GL/|gl2ps)")
  if(lines)
    list(APPEND bad "${f}: ${lines}")
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "core sources include GUI or GL headers:\n${bad}")
endif()
