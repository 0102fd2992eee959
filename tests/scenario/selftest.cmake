# Runs one self-test scenario of the runner and checks what the runner did.
# The scenario's comment lines declare it:
#   #! exit N        the exit status (0 when not given)
#   #> TEXT          TEXT must appear in the output, after the TEXT of the
#                    line before (a line of TEXT may not hold a semicolon)
# cmake -DRUNNER=... -DSCENARIO=... [-DEMULATOR=...] -P selftest.cmake
# EMULATOR runs a runner built for another system (wine-run for Windows).
file(READ ${SCENARIO} content)
string(REGEX MATCH "(^|\n)#! exit ([0-9]+)" exit_line "${content}")
set(expected_exit 0)
if(exit_line)
    set(expected_exit ${CMAKE_MATCH_2})
endif()
string(REGEX MATCHALL "(^|\n)#> [^\n]*" expected_lines "${content}")

execute_process(COMMAND ${EMULATOR} ${RUNNER} ${SCENARIO}
    RESULT_VARIABLE actual_exit OUTPUT_VARIABLE output ERROR_VARIABLE errors)
set(report "exit status ${actual_exit}, output:\n${output}${errors}")

# A sanitizer's report would hide behind the exit status of a failing scenario.
if(errors MATCHES "ERROR: [A-Za-z]+Sanitizer|runtime error:")
    message(FATAL_ERROR "the runner was reported by a sanitizer: ${report}")
endif()
if(NOT actual_exit STREQUAL expected_exit)
    message(FATAL_ERROR "expected exit status ${expected_exit}, got ${report}")
endif()
set(rest "${output}")
foreach(line IN LISTS expected_lines)
    string(REGEX REPLACE "^\n?#> " "" wanted "${line}")
    string(FIND "${rest}" "${wanted}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "expected in order in the output: ${wanted}\n${report}")
    endif()
    string(LENGTH "${wanted}" length)
    math(EXPR after "${at} + ${length}")
    string(SUBSTRING "${rest}" ${after} -1 rest)
endforeach()
