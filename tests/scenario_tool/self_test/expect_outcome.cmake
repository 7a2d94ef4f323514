# Runs TOOL on SCENARIO and holds when it exits with EXPECTED_EXIT and its
# output matches every regular expression that the file lists on "#> " lines
# (where \n stands for a line feed).
execute_process(COMMAND ${TOOL} ${SCENARIO} RESULT_VARIABLE exit_code OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("${out}${err}")
if(NOT exit_code STREQUAL "${EXPECTED_EXIT}")
  message(FATAL_ERROR "exit code ${exit_code}, expected ${EXPECTED_EXIT}")
endif()
file(STRINGS ${SCENARIO} wanted_lines REGEX "^#> ")
foreach(wanted ${wanted_lines})
  string(SUBSTRING "${wanted}" 3 -1 pattern)
  string(REPLACE "\\n" "\n" pattern "${pattern}")
  if(NOT "${out}${err}" MATCHES "${pattern}")
    message(FATAL_ERROR "the output lacks: ${pattern}")
  endif()
endforeach()
