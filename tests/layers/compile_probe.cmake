# Compiles "#include <HEADER>" with the include folders INCLUDES ('|'-separated) and checks the
# outcome against EXPECTED: "accepted" (it compiles) or "refused" (the header is not found).
file(WRITE ${WORK}/probe.cpp "#include <${HEADER}>\n")
string(REPLACE "|" ";" folders "${INCLUDES}")
list(TRANSFORM folders PREPEND "-I")
execute_process(COMMAND ${COMPILER} -std=c++20 -fsyntax-only ${folders} ${WORK}/probe.cpp
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(EXPECTED STREQUAL "accepted")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "<${HEADER}> should compile here but does not:\n${errors}")
  endif()
elseif(result EQUAL 0)
  message(FATAL_ERROR "<${HEADER}> is visible to a layer below it")
else()
  string(FIND "${errors}" "${HEADER}: No such file or directory" not_found)
  if(not_found EQUAL -1)
    message(FATAL_ERROR "The check failed for another reason than a missing <${HEADER}>:\n${errors}")
  endif()
endif()
