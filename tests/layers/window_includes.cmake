# cmake -DDIR=src/ui [-DHUB=main] -P window_includes.cmake: fails, naming
# file and line, when a window's source includes a header from another
# window's folder. Only the hub, the main window that makes the others, may;
# the others reach it through the small interfaces in app/ (WindowHost,
# AppOptions), so that no circle forms among the windows.
file(GLOB_RECURSE sources "${DIR}/*.h" "${DIR}/*.cpp")
set(bad "")
foreach(f IN LISTS sources)
  file(RELATIVE_PATH rel "${DIR}" "${f}")
  string(REGEX REPLACE "/.*" "" own "${rel}")
  if(DEFINED HUB AND own STREQUAL HUB)
    continue()
  endif()
  file(STRINGS "${f}" lines)
  set(n 0)
  foreach(line IN LISTS lines)
    math(EXPR n "${n} + 1")
    if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"ui/([^/\"]+)/" AND NOT CMAKE_MATCH_1 STREQUAL own)
      string(APPEND bad "${rel}:${n}: ${line}\n")
    endif()
  endforeach()
endforeach()
if(sources STREQUAL "")
  message(FATAL_ERROR "no sources in ${DIR}")
endif()
if(NOT bad STREQUAL "")
  message(FATAL_ERROR "a window includes another window:\n${bad}")
endif()
