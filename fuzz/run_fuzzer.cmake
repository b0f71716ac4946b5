# One fixed fuzz run of a target, as its test: the seed corpus and every
# regression input first, then RUNS inputs from seed 1. New inputs go to a
# scratch folder emptied first, so the tree is never written and each run of
# the test is the same run. A unit that runs 25 s counts as a hang.
#   cmake -DFUZZER=<exe> -DNAME=<target> -DSOURCE=<fuzz folder> -DWORK=<scratch>
#         -DRUNS=<n> -P run_fuzzer.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/findings)
set(args -seed=1 -runs=${RUNS} -timeout=25 -print_final_stats=1
         -artifact_prefix=${WORK}/findings/ ${WORK}/corpus)
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
