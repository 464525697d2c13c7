# Run by CPack between the install into its staging folder and the
# packing: the copyright notice and the change log (compressed as Debian
# wants it, without a name or time in the header) join the documentation.
set(docs ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/${CPACK_PACKAGE_NAME})
file(MAKE_DIRECTORY ${docs})
foreach(file ${CPACK_SAKUZU_DEBIAN_DOCS})
  get_filename_component(name ${file} NAME)
  if(name STREQUAL "changelog")
    execute_process(COMMAND gzip -9nc ${file} OUTPUT_FILE ${docs}/changelog.gz RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "gzip failed on ${file}")
    endif()
  else()
    file(COPY ${file} DESTINATION ${docs})
  endif()
endforeach()
