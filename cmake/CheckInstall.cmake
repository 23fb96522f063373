# Installs the build into a fresh prefix and checks the layout a desktop
# needs: the program with its pages, images and sample studies beside it, its
# starter in bin, the desktop entry and the icon; then starts the installed
# program offscreen and lets it run for a few seconds.
# Usage: cmake -DBUILD_DIR=<build> -DPREFIX=<folder> -DPROGRAM_DIR=<libdir>/vexa
#              -DVEXA_SOURCE_DIR=<checkout> -P CheckInstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install failed: ${error}")
endif()

set(dir ${PREFIX}/${PROGRAM_DIR})
file(GLOB studies RELATIVE ${VEXA_SOURCE_DIR}/resources/xml ${VEXA_SOURCE_DIR}/resources/xml/*.xml)
set(expected ${dir}/vexa ${dir}/vexainit.htm ${dir}/Appl.htm ${dir}/Docs/index.htm ${dir}/images/tree_00.png
  ${PREFIX}/share/applications/vexa.desktop ${PREFIX}/share/icons/hicolor/scalable/apps/vexa.svg)
foreach(study IN LISTS studies)
  list(APPEND expected ${dir}/xml/${study})
endforeach()
foreach(f IN LISTS expected)
  if(NOT EXISTS ${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
if(NOT EXISTS ${PREFIX}/bin/vexa OR IS_DIRECTORY ${PREFIX}/bin/vexa)
  message(FATAL_ERROR "${PREFIX}/bin/vexa is missing")
endif()

file(STRINGS ${PREFIX}/share/applications/vexa.desktop entry)
foreach(line "[Desktop Entry]" "Type=Application" "Name=VeXA" "Exec=\"${PREFIX}/bin/vexa\"" "Path=${dir}"
    "Icon=vexa" "Terminal=false")
  list(FIND entry "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks the line ${line}")
  endif()
endforeach()

# Started through bin/vexa from another folder, as a shell starts it: still
# running after a few seconds, nothing on standard error.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${PREFIX}/bin/vexa
  WORKING_DIRECTORY ${PREFIX} TIMEOUT 8 RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error)
if(NOT result MATCHES "timeout")
  message(FATAL_ERROR "the installed program ended (${result}): ${error}")
endif()
if(NOT error STREQUAL "")
  message(FATAL_ERROR "the installed program wrote on standard error: ${error}")
endif()
