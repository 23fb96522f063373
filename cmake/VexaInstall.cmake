# Installed layout: the program lies in <libdir>/vexa with its pages, images
# and sample studies beside it (it finds them beside itself, and study pages
# address files from the current folder), <bindir>/vexa starts it in that
# folder, and the desktop entry and the icon make it start from the
# desktop's menu.
include(GNUInstallDirs)

set(VEXA_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/vexa)

install(TARGETS vexa RUNTIME DESTINATION ${VEXA_INSTALL_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/app/ DESTINATION ${VEXA_INSTALL_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/xml/ DESTINATION ${VEXA_INSTALL_DIR}/xml)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/vexa.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

file(RELATIVE_PATH VEXA_BIN_TO_PROGRAM /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${VEXA_INSTALL_DIR})
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/vexa.sh.in
  ${CMAKE_CURRENT_BINARY_DIR}/install_stage/bin/vexa @ONLY)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/install_stage/bin/vexa DESTINATION ${CMAKE_INSTALL_BINDIR})

# The desktop entry names absolute paths under the prefix given at install
# time (cmake --install build --prefix ...), not the configured one.
set(VEXA_DESKTOP_TEMPLATE ${PROJECT_SOURCE_DIR}/resources/desktop/vexa.desktop.in)
set(VEXA_DESKTOP_STAGE ${CMAKE_CURRENT_BINARY_DIR}/install_stage/vexa.desktop)
install(CODE "
  set(VEXA_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vexa\")
  set(VEXA_PROGRAM_DIR \"\${CMAKE_INSTALL_PREFIX}/${VEXA_INSTALL_DIR}\")
  configure_file(\"${VEXA_DESKTOP_TEMPLATE}\" \"${VEXA_DESKTOP_STAGE}\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\"
    TYPE FILE FILES \"${VEXA_DESKTOP_STAGE}\")
")
