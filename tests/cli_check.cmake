# sakuzu --check: the answer on standard output and the exit status 0 (always
# true), 1 (not always, with a counterexample) or 2 (bad input, or no answer
# possible, with a message); the figure file is never touched.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(ENV{SAKUZU_HOME} ${WORK})

# check(STATUS PATTERN args...): runs sakuzu --check with the args and
# expects the status and PATTERN in its standard output (or, for status 2,
# in either output).
function(check status pattern)
  execute_process(COMMAND ${SAKUZU} --check ${ARGN}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL status OR NOT "${out}${err}" MATCHES "${pattern}")
    message(FATAL_ERROR "--check ${ARGN}: status ${rc} (expected ${status})\n${out}${err}")
  endif()
  if(status EQUAL 1 AND NOT out MATCHES "反例：|Counterexample: ")
    message(FATAL_ERROR "--check ${ARGN}: no counterexample\n${out}")
  endif()
  if(status LESS 2 AND NOT err STREQUAL "")
    message(FATAL_ERROR "--check ${ARGN}: unexpected message ${err}")
  endif()
endfunction()

file(COPY ${SAMPLES}/euler_line.zk4 ${DATA}/parallels.zk4 DESTINATION ${WORK})
set(euler ${WORK}/euler_line.zk4)
file(READ ${euler} before HEX)

check(0 "O, G, H は常に一直線上にあります（10,000 通り中 [0-9,]+ 通り、乱数の種 1）"
      ${euler} collinear O G H)
check(0 "O, G and H are always collinear \\([0-9,]+ of 500 positions, seed 99\\)"
      ${euler} collinear O G H --positions 500 --language english --seed 99)
check(1 "O, G and I are not collinear" ${euler} collinear O G I --language English)
check(1 "AB と BC は垂直ではありません" ${euler} perpendicular AB BC)
# The same seed, the same answer.
execute_process(COMMAND ${SAKUZU} --check ${euler} collinear O G I --seed 5 OUTPUT_VARIABLE one)
execute_process(COMMAND ${SAKUZU} --check ${euler} collinear O G I --seed 5 OUTPUT_VARIABLE two)
if(NOT one STREQUAL two)
  message(FATAL_ERROR "two runs with seed 5 differ:\n${one}${two}")
endif()

# Bad input: a message, status 2, nothing on standard output.
check(2 "no object of the figure is named 'Q'" ${euler} collinear O G Q)
check(2 "collinear takes three points; 'AB' is a line" ${euler} collinear O G AB)
check(2 "unknown relation 'near'" ${euler} near O G)
check(2 "the seed must be" ${euler} collinear O G H --seed -1)
check(2 "the positions must be" ${euler} collinear O G H --positions 0)
check(2 "unknown language" ${euler} collinear O G H --language klingon)
check(2 "usage: sakuzu --check" ${euler} collinear)
check(2 "missing.zk4" ${WORK}/missing.zk4 collinear O G H)
# No answer possible: an intersection of two parallels never exists.
check(2 "X does not exist in any position" ${WORK}/parallels.zk4 on X AB --language english)
# Points the figure fixes: their one position is the answer.
check(0 "Fixed figure, nothing moves: U, V and W are collinear" ${WORK}/parallels.zk4
      collinear U V W --language english)
check(1 "U, V and A are not collinear" ${WORK}/parallels.zk4 collinear U V A --language english)

file(READ ${euler} after HEX)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "--check changed the figure file")
endif()
file(GLOB left ${WORK}/*)
list(LENGTH left count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "--check left files behind: ${left}")
endif()

execute_process(COMMAND ${SAKUZU} --help OUTPUT_VARIABLE help)
if(NOT help MATCHES "--check FILE RELATION NAME")
  message(FATAL_ERROR "--help does not list --check")
endif()
