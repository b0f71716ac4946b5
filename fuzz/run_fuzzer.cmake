# One fixed fuzz run of a target, as its test: the seed corpus and every
# regression input first, then RUNS inputs from seed 1. New inputs go to a
# scratch folder emptied first, so the tree is never written and each run of
# the test is the same run.
#   cmake -DFUZZER=<exe> -DSOURCE=<fuzz folder> -DWORK=<scratch> [-DDICT=<file>]
#         -DRUNS=<n> -P run_fuzzer.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/findings)
set(args -seed=1 -runs=${RUNS} -print_final_stats=1 -artifact_prefix=${WORK}/findings/)
if(DICT)
  list(APPEND args -dict=${DICT})
endif()
foreach(folder corpus regressions)
  if(IS_DIRECTORY ${SOURCE}/${folder})
    list(APPEND inputs ${SOURCE}/${folder})
  endif()
endforeach()
execute_process(COMMAND ${FUZZER} ${args} ${WORK}/corpus ${inputs} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found something (exit ${result}); the input is in ${WORK}/findings")
endif()
