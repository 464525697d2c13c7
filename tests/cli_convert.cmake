# sakuzu --convert: a good file converts with status 0; a bad one gives a
# message, a non-zero status, and leaves the output untouched.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

execute_process(COMMAND ${SAKUZU} --convert ${SAMPLES}/sample.zk4 ${WORK}/out.zk4
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "convert failed (${rc}): ${err}")
endif()
file(READ ${SAMPLES}/sample.zk4 a HEX)
file(READ ${WORK}/out.zk4 b HEX)
if(NOT a STREQUAL b)
  message(FATAL_ERROR "the converted sample differs from the original")
endif()

file(WRITE ${WORK}/bad.zk4 "3\r\n\"P1\"\r\n")
file(WRITE ${WORK}/existing.zk4 "keep me")
foreach(target ${WORK}/new.zk4 ${WORK}/existing.zk4)
  execute_process(COMMAND ${SAKUZU} --convert ${WORK}/bad.zk4 ${target}
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(rc EQUAL 0 OR err STREQUAL "")
    message(FATAL_ERROR "a broken file was accepted (${rc}): ${err}")
  endif()
endforeach()
if(EXISTS ${WORK}/new.zk4)
  message(FATAL_ERROR "a refused convert created its output")
endif()
file(READ ${WORK}/existing.zk4 kept)
if(NOT kept STREQUAL "keep me")
  message(FATAL_ERROR "a refused convert changed its output")
endif()

execute_process(COMMAND ${SAKUZU} --help RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "--convert")
  message(FATAL_ERROR "--help does not list the modes")
endif()
