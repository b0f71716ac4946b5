# One run of a fuzz target: its seed corpus and every regression input first,
# then either RUNS inputs from seed 1 (its test: new inputs go to a scratch
# folder emptied first, so the tree is never written and each run of the test
# is the same run) or SECONDS of fuzzing that keeps its corpus in WORK
# (scripts/fuzz). An input that finds something goes to WORK/findings; a unit
# that runs 25 s counts as a hang.
#   cmake -DFUZZER=<exe> -DNAME=<target> -DSOURCE=<fuzz folder> -DWORK=<folder>
#         (-DRUNS=<n> | -DSECONDS=<s>) -P run_fuzzer.cmake
if(RUNS)
  file(REMOVE_RECURSE ${WORK})
  set(args -seed=1 -runs=${RUNS})
else()
  set(args -max_total_time=${SECONDS})
endif()
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/findings)
list(APPEND args -timeout=25 -print_final_stats=1 -artifact_prefix=${WORK}/findings/ ${WORK}/corpus)
if(EXISTS ${SOURCE}/${NAME}.dict)
  list(APPEND args -dict=${SOURCE}/${NAME}.dict)
endif()
if(EXISTS ${SOURCE}/${NAME}.options)
  file(STRINGS ${SOURCE}/${NAME}.options options)
  list(APPEND args ${options})
endif()
foreach(folder corpus regressions)
  if(IS_DIRECTORY ${SOURCE}/${folder})
    list(APPEND args ${SOURCE}/${folder})
  endif()
endforeach()
execute_process(COMMAND ${FUZZER} ${args} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NAME} found something (exit ${result}); the input is in ${WORK}/findings")
endif()
