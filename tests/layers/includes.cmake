# cmake -DRULE=standard|windows -DDIR=folder [-DHUB=main] -P includes.cmake:
# fails, naming file and line, when a source in the folder breaks the rule.
#   standard: only standard C++ headers, none of the operating system or Qt;
#   windows:  no header from another window's folder (DIR is src/ui). Only
#             the hub, the main window that makes the others, may; the others
#             reach it through the small interfaces in app/ (WindowHost,
#             AppOptions), so that no circle forms among the windows.
file(GLOB_RECURSE sources "${DIR}/*.h" "${DIR}/*.cpp")
if(sources STREQUAL "")
  message(FATAL_ERROR "no sources in ${DIR}")
endif()
set(bad "")
foreach(f IN LISTS sources)
  file(RELATIVE_PATH rel "${DIR}" "${f}")
  string(REGEX REPLACE "/.*" "" own "${rel}")
  if(RULE STREQUAL "windows" AND DEFINED HUB AND own STREQUAL HUB)
    continue()
  endif()
  file(STRINGS "${f}" lines)
  set(n 0)
  foreach(line IN LISTS lines)
    math(EXPR n "${n} + 1")
    if(RULE STREQUAL "standard")
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"](unistd\\.h|iconv\\.h|sys/[^>\"]*|Q[A-Za-z]*|windows\\.h|io\\.h|fcntl\\.h|dlfcn\\.h|pthread\\.h|langinfo\\.h)[>\"]")
        string(APPEND bad "${f}:${n}: ${line}\n")
      endif()
    elseif(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"ui/([^/\"]+)/" AND NOT CMAKE_MATCH_1 STREQUAL own)
      string(APPEND bad "${rel}:${n}: ${line}\n")
    endif()
  endforeach()
endforeach()
if(NOT bad STREQUAL "")
  message(FATAL_ERROR "includes that break the rule \"${RULE}\":\n${bad}")
endif()
