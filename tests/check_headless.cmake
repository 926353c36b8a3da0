# fails when a core source (anything under src/ but the GUI modules and *_gl.cpp) includes
# an FLTK or GL header; SRC is the source tree
file(GLOB files ${SRC}/src/*.cpp ${SRC}/src/*.h ${SRC}/src/matrix/* ${SRC}/src/graphics/*
     ${SRC}/src/links/* ${SRC}/src/scene/*)
set(bad "")
foreach(f ${files})
  if(f MATCHES "/src/(main|menu|menu_[a-z_]+|opengl_win|spinner|gui_[a-z_]+)\\.(cpp|h)$"
     OR f MATCHES "_gl\\.(cpp|h)$")
    continue()
  endif()
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](FL/|GL/|gl2ps)")
  if(lines)
    list(APPEND bad "${f}: ${lines}")
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "core sources include GUI or GL headers:\n${bad}")
endif()
