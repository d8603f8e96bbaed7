# Runs one fuzzer for a few seconds (cmake -P; see CMakeLists.txt for the variables).
# New inputs go to WORK_DIR/corpus, which later runs reuse; the seeds are only read.
# A crashing or hanging input is written to WORK_DIR/artifacts/ and fails the run.
file(MAKE_DIRECTORY ${WORK_DIR}/corpus ${WORK_DIR}/artifacts)

set(corpora ${WORK_DIR}/corpus)
if(IS_DIRECTORY ${SEED_DIR})
    list(APPEND corpora ${SEED_DIR})
endif()

set(options
    -max_total_time=${SECONDS}
    -timeout=25
    -rss_limit_mb=2048
    -print_final_stats=1
    -artifact_prefix=${WORK_DIR}/artifacts/)
if(EXISTS ${DICTIONARY})
    list(APPEND options -dict=${DICTIONARY})
endif()

execute_process(
    COMMAND ${FUZZER} ${options} ${corpora}
    WORKING_DIRECTORY ${WORK_DIR}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR
        "${NAME}: the fuzzer stopped with '${result}'; the input that did it is in "
        "${WORK_DIR}/artifacts/ (rerun with: ${FUZZER} <that file>)")
endif()
