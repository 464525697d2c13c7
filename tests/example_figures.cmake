# Every shipped figure opens as a lesson expects it: it loads without a
# message, and every object of the lesson exists (the report shows no
# "チェック : 0").
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home)
set(ENV{SAKUZU_HOME} ${WORK}/home)

file(GLOB figures ${SAMPLES}/*.zk4)
list(LENGTH figures count)
if(count LESS 11)
  message(FATAL_ERROR "expected the sample and ten example figures, found ${count}")
endif()
foreach(figure ${figures})
  get_filename_component(name ${figure} NAME)
  execute_process(COMMAND ${SAKUZU} --report ${figure}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE report ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "${name}: status ${rc}, message: ${err}")
  endif()
  string(REGEX MATCHALL "チェック : 0\r?\n" any "${report}")
  if(any)
    list(LENGTH any n)
    message(FATAL_ERROR "${name}: ${n} objects do not exist (see sakuzu --report ${figure})")
  endif()
endforeach()
