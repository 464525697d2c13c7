# The command-line modes print nothing on standard error when all goes
# well, also where XDG_RUNTIME_DIR is unset (a plain root shell, a cron job),
# and leave nothing behind in the temporary folder.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home ${WORK}/tmp)
unset(ENV{XDG_RUNTIME_DIR})
unset(ENV{QT_QPA_PLATFORM})
set(ENV{SAKUZU_HOME} ${WORK}/home)
set(ENV{TMPDIR} ${WORK}/tmp)

set(runs "--report|${SAMPLES}/sample.zk4" "--convert|${SAMPLES}/sample.zk4|${WORK}/out.zk4")
if(RENDER)
  list(APPEND runs "--render|${SAMPLES}/sample.zk4|--output|${WORK}/out.png"
    "--export|${SAMPLES}/sample.zk4|--output|${WORK}/out.pdf"
    "--export|${SAMPLES}/sample.zk4|--output|${WORK}/out.htm")
endif()
foreach(run ${runs})
  string(REPLACE "|" ";" args "${run}")
  execute_process(COMMAND ${SAKUZU} ${args} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
    string(REPLACE "|" " " shown "${run}")
    message(FATAL_ERROR "sakuzu ${shown} (status ${rc}) wrote on standard error:\n${err}")
  endif()
endforeach()
if(RENDER AND NOT EXISTS ${WORK}/out.png)
  message(FATAL_ERROR "--render wrote no picture")
endif()
if(RENDER AND NOT EXISTS ${WORK}/sample.zk4.svg)
  message(FATAL_ERROR "--export wrote no page picture")
endif()
file(GLOB left ${WORK}/tmp/*)
if(left)
  message(FATAL_ERROR "left behind in the temporary folder: ${left}")
endif()
