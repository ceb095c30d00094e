# cmake -DCLI=... -DREFERENCE=... -DEMULATOR=... -DDATA=... -DWORK=... -P same_answers.cmake
# Runs yomari-cli for another platform (through EMULATOR) and the reference
# build over the same cases, and fails on any difference in standard output or
# exit status: Japanese arguments, piped lines with CR LF, and "\n" line ends
# out (no CR added) all have to survive the platform.
file(REMOVE_RECURSE "${WORK}")
# A folder with a Japanese name and a space: the program finds its data
# files beside itself only when its own path is read exactly.
set(folder "${WORK}/和暦 ツール")
file(MAKE_DIRECTORY "${folder}")
get_filename_component(exeName "${CLI}" NAME)
file(COPY "${CLI}" DESTINATION "${folder}")
foreach(ext dan das daj dak dad)
  file(COPY "${DATA}/Yomari.${ext}" DESTINATION "${folder}")
endforeach()
file(WRITE "${WORK}/lines.txt" "昭和50\r\n平成３１年４月３０日\r\n\r\nabc\nH31.04.30\n1989")
file(WRITE "${WORK}/empty.txt" "")

set(cases
  "平成31年4月30日|2019-05-01|昭和50|しょうわ50|H31.04.30|平成三十一年四月三十日|1989"
  "--json|令和元年5月1日|存在しない"
  "--line|s|元弘3|正慶2"
  "--age|2000-01-01|--on|2020-01-01"
  "--table|1975"
  "--school|2000-04-02"
  "--help"
  "--no-such-option"
  "<lines.txt"
  "--json|<lines.txt"
)
set(failures 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" args "${case}")
  set(input "${WORK}/empty.txt")
  if(case MATCHES "<(.*)$")
    set(input "${WORK}/${CMAKE_MATCH_1}")
    list(FILTER args EXCLUDE REGEX "^<")
  endif()
  execute_process(COMMAND ${EMULATOR} "${folder}/${exeName}" ${args}
    INPUT_FILE "${input}" OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  execute_process(COMMAND "${REFERENCE}" ${args}
    INPUT_FILE "${input}" OUTPUT_VARIABLE expected ERROR_VARIABLE expectedErr RESULT_VARIABLE expectedStatus)
  if(NOT out STREQUAL expected OR NOT status STREQUAL expectedStatus)
    math(EXPR failures "${failures} + 1")
    message(SEND_ERROR "${case}: exit ${status} (expected ${expectedStatus})\n"
      "--- got:\n${out}${err}\n--- expected:\n${expected}${expectedErr}")
  elseif(expected STREQUAL "" AND expectedStatus STREQUAL "0")
    message(SEND_ERROR "${case}: the reference answered nothing")
  endif()
endforeach()
message(STATUS "${failures} of the cases differ")
