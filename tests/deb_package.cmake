# cpack -G DEB makes a package that holds what cmake --install installs,
# under /usr, with the documentation a Debian package carries, its
# dependencies and control fields declared, nothing left by the install's
# desktop refresh, a program that runs, and no error from lintian.
cmake_minimum_required(VERSION 3.22)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK}/out
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB debs ${WORK}/out/*.deb)
list(LENGTH debs count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack -G DEB (${rc}) made ${count} packages: ${out}${err}")
endif()

# The control fields.
execute_process(COMMAND ${DPKG_DEB} -f ${debs} OUTPUT_VARIABLE control)
foreach(field "Package: sakuzu" "Version: ${VERSION}" "Section: education"
              "Priority: optional" "Architecture: [a-z0-9]+")
  if(NOT control MATCHES "(^|\n)${field}\n")
    message(FATAL_ERROR "the package's control has no \"${field}\":\n${control}")
  endif()
endforeach()
if(NOT control MATCHES "\nMaintainer: [^\n<]+ <[^\n>@]+@[^\n>]+>\n")
  message(FATAL_ERROR "no maintainer with an address:\n${control}")
endif()
if(NOT control MATCHES "\nDescription: [^\n]+\n [^\n]+")
  message(FATAL_ERROR "no description with a synopsis and more:\n${control}")
endif()
string(REGEX MATCH "\nDepends: [^\n]+" depends "${control}")
foreach(library libc6 libstdc\\+\\+6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6)
  if(NOT depends MATCHES "[ ,]${library}( \\(>= [^)]+\\))?(,|$)")
    message(FATAL_ERROR "the package does not depend on ${library}:${depends}")
  endif()
endforeach()

# The files: those of an install under /usr, and the copyright and change
# log beside the documentation; everything owned by root.
set(tree ${WORK}/tree)
set(ENV{DESTDIR} ${tree})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
unset(ENV{DESTDIR})
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed (${rc}): ${err}")
endif()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${tree} ${tree}/*)
list(APPEND installed usr/share/doc/sakuzu/copyright usr/share/doc/sakuzu/changelog.gz)
list(SORT installed)
execute_process(COMMAND ${DPKG_DEB} -c ${debs} OUTPUT_VARIABLE listing)
string(REPLACE "\n" ";" listing "${listing}")
set(packed)
foreach(line ${listing})
  if(NOT line MATCHES "^([-dl])[^ ]+ root/root +[0-9]+ [^ ]+ [^ ]+ \\./(.*)$")
    message(FATAL_ERROR "not a root-owned entry under ./: ${line}")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL "d")
    list(APPEND packed ${CMAKE_MATCH_2})
  endif()
endforeach()
list(SORT packed)
if(NOT packed STREQUAL installed)
  message(FATAL_ERROR "the package holds\n${packed}\nthe install\n${installed}")
endif()
foreach(file usr/bin/sakuzu usr/share/applications/sakuzu.desktop
             usr/share/mime/packages/sakuzu.xml usr/share/sakuzu/sample.zk4)
  if(NOT file IN_LIST packed)
    message(FATAL_ERROR "the package lacks ${file}")
  endif()
endforeach()

# The packed program runs (stripped as it is).
execute_process(COMMAND ${DPKG_DEB} -x ${debs} ${WORK}/unpacked RESULT_VARIABLE rc)
execute_process(COMMAND ${WORK}/unpacked/usr/bin/sakuzu --version OUTPUT_VARIABLE version)
if(NOT rc EQUAL 0 OR NOT version STREQUAL "Sakuzu ${VERSION}\n")
  message(FATAL_ERROR "the packed program printed: ${version}")
endif()

if(LINTIAN)
  execute_process(COMMAND ${LINTIAN} --no-tag-display-limit ${debs}
                  OUTPUT_VARIABLE report ERROR_VARIABLE err)
  if(report MATCHES "(^|\n)E: ")
    message(FATAL_ERROR "lintian reports errors:\n${report}")
  endif()
endif()
