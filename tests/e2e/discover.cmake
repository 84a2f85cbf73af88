# Runs after an end-to-end test program is built: asks it for its test functions (Qt Test's
# -functions) and writes one tressora_e2e_function(<function>) line for each into OUTPUT, which
# CTest includes. Every function is thus registered from the source, once.
#
#   cmake -DPROGRAM=<test program> -DOUTPUT=<file> -P discover.cmake
execute_process(COMMAND ${PROGRAM} -functions OUTPUT_VARIABLE listing RESULT_VARIABLE status
                ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} -functions failed (${status}): ${errors}")
endif()
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*\\(\\)" functions "${listing}")
if(NOT functions)
    message(FATAL_ERROR "${PROGRAM} lists no test function")
endif()
set(content "")
foreach(function IN LISTS functions)
    string(REPLACE "()" "" function "${function}")
    string(APPEND content "tressora_e2e_function(${function})\n")
endforeach()
file(WRITE ${OUTPUT} "${content}")
