# cmake --install into a new prefix gives a program that runs from there as
# a new user's would: it finds its shipped files in share/sakuzu, keeps
# its own files in the user's folder (never in the prefix), and the
# desktop learns of it through a valid entry, a file type and an icon.
cmake_minimum_required(VERSION 3.22)  # IN_LIST and the other policies of the build
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home)
set(prefix ${WORK}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed (${rc}): ${err}")
endif()

set(data ${prefix}/share/sakuzu)
set(expected bin/sakuzu share/sakuzu/dic_zk4_english.txt share/sakuzu/document/help.htm
    share/sakuzu/document/help_en.htm share/sakuzu/document/manual.css
    share/applications/sakuzu.desktop share/mime/packages/sakuzu.xml
    share/icons/hicolor/scalable/apps/sakuzu.svg
    share/icons/hicolor/scalable/mimetypes/application-x-sakuzu-figure.svg)
list(APPEND expected share/sakuzu/zk_html_org.htm)
if(VIEWER)
  list(APPEND expected share/sakuzu/sakuzu_viewer.js share/sakuzu/sakuzu.html share/sakuzu/sakuzu-sw.js
       share/sakuzu/sakuzu.webmanifest)
endif()
file(GLOB figures RELATIVE ${SAMPLES} ${SAMPLES}/*.zk4)
foreach(figure ${figures})
  list(APPEND expected share/sakuzu/${figure})
endforeach()
foreach(file ${expected})
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

# Every picture the manuals show is installed.
foreach(manual help.htm help_en.htm)
  file(STRINGS ${data}/document/${manual} lines REGEX "src=\"pictures/")
  foreach(line ${lines})
    string(REGEX MATCHALL "pictures/[a-z_0-9]+\\.png" pictures "${line}")
    foreach(picture ${pictures})
      if(RENDER AND NOT EXISTS ${data}/document/${picture})
        message(FATAL_ERROR "${manual} shows ${picture}, which is not installed")
      endif()
    endforeach()
  endforeach()
endforeach()

# The desktop entry is valid and names the file type and the icon.
find_program(validate desktop-file-validate)
if(NOT validate)
  message(FATAL_ERROR "desktop-file-validate is missing (scripts/install-deps.sh installs it)")
endif()
execute_process(COMMAND ${validate} ${prefix}/share/applications/sakuzu.desktop
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "desktop-file-validate: ${out}${err}")
endif()
file(STRINGS ${prefix}/share/applications/sakuzu.desktop entry)
if(NOT "MimeType=application/x-sakuzu-figure;" IN_LIST entry OR NOT "Icon=sakuzu" IN_LIST entry)
  message(FATAL_ERROR "the desktop entry does not name the figure type and the icon")
endif()
# The install refreshed the MIME database: *.zk4 is a Sakuzu figure.
if(NOT EXISTS ${prefix}/share/mime/globs2)
  message(FATAL_ERROR "no MIME database after install (shared-mime-info missing?)")
endif()
file(STRINGS ${prefix}/share/mime/globs2 globs REGEX "x-sakuzu-figure")
if(NOT globs MATCHES "application/x-sakuzu-figure:\\*\\.zk4")
  message(FATAL_ERROR "the MIME database does not know *.zk4: ${globs}")
endif()

# The installed program, for a user without settings.
unset(ENV{SAKUZU_HOME})
unset(ENV{XDG_DATA_HOME})
set(ENV{HOME} ${WORK}/home)
set(user ${WORK}/home/.local/share/sakuzu)
file(GLOB_RECURSE before ${prefix}/*)
execute_process(COMMAND ${prefix}/bin/sakuzu --version OUTPUT_VARIABLE version)
if(NOT version STREQUAL "Sakuzu ${VERSION}\n")
  message(FATAL_ERROR "--version printed: ${version}")
endif()
execute_process(COMMAND ${prefix}/bin/sakuzu --folders OUTPUT_VARIABLE folders)
if(NOT folders MATCHES "settings and temporary files: ${user}\n"
   OR NOT folders MATCHES "sample and example figures: +${data}\n")
  message(FATAL_ERROR "the installed program looks in the wrong folders:\n${folders}")
endif()

# The shipped dictionary says what the built-in English says: a report in
# the user's dictionary equals the English one, and no text is missing.
file(COPY_FILE ${data}/dic_zk4_english.txt ${user}/dic_zk4.txt)
foreach(language english manual)
  execute_process(COMMAND ${prefix}/bin/sakuzu --report ${data}/nine_point_circle.zk4
                          --language ${language}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE report_${language} ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "--report --language ${language} (${rc}): ${err}")
  endif()
endforeach()
if(NOT report_english STREQUAL report_manual OR EXISTS ${user}/dic_needed.txt)
  message(FATAL_ERROR "the shipped dictionary differs from the built-in English")
endif()
file(GLOB_RECURSE after ${prefix}/*)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the program wrote into the install: ${after}")
endif()
