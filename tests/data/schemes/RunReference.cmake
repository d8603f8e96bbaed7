# Runs quinkle-scheme over one reference case and compares its output with <case>.expected.
# A case is <case>.sch, and <case>.txt when the tokens of a text are checked (else the
# compiled model, or the compile error, is). On a mismatch the output is written to
# <case>.expected.new and a diff is shown; scripts/promote-reference.sh accepts it.
# Inputs: TOOL, CASE (path without extension).
if(EXISTS ${CASE}.txt)
    execute_process(COMMAND ${TOOL} --tokens ${CASE}.sch ${CASE}.txt
        OUTPUT_VARIABLE actual RESULT_VARIABLE status)
else()
    execute_process(COMMAND ${TOOL} --dump ${CASE}.sch OUTPUT_VARIABLE actual RESULT_VARIABLE status)
endif()
if(NOT status MATCHES "^[01]$")
    message(FATAL_ERROR "quinkle-scheme failed (${status}) on ${CASE}.sch")
endif()
set(expected "")
if(EXISTS ${CASE}.expected)
    file(READ ${CASE}.expected expected)
endif()
if(actual STREQUAL expected)
    file(REMOVE ${CASE}.expected.new)
    return()
endif()
file(WRITE ${CASE}.expected.new "${actual}")
execute_process(COMMAND diff -u ${CASE}.expected ${CASE}.expected.new)
message(FATAL_ERROR "Output differs from ${CASE}.expected; review ${CASE}.expected.new and "
    "run scripts/promote-reference.sh to accept it.")
