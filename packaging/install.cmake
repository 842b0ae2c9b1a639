# SPDX-License-Identifier: GPL-3.0-or-later
# What is installed beside the programs: the manual pages, each package's copyright file and
# changelog, bash completion, and the desktop integration of the window.
set(VORNICK_CONTACT "Vornick developers <vornick@users.noreply.example.org>")
set(VORNICK_CLI_PACKAGE vornick-cli)
set(VORNICK_WINDOW_PACKAGE vornick)
set(VORNICK_RELEASE_DATE "2026-12-07")  # of PROJECT_VERSION, for the changelog and metainfo
set(VORNICK_APP_ID org.example.vornick)

set(generated ${PROJECT_BINARY_DIR}/packaging)
execute_process(COMMAND date -u -R -d "${VORNICK_RELEASE_DATE}"
  OUTPUT_VARIABLE VORNICK_RELEASE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(packaging/changelog.in ${generated}/changelog @ONLY)
configure_file(packaging/vornick.metainfo.xml.in ${generated}/${VORNICK_APP_ID}.metainfo.xml @ONLY)

# Manual pages and changelogs are compressed as Debian wants them: most, with no name or time.
set(compressed)
foreach(source docs/vornick-cli.1 docs/vornick.1 ${generated}/changelog)
  get_filename_component(name ${source} NAME)
  get_filename_component(source ${source} ABSOLUTE)
  # Compressed to a new file, so that a generated source (the changelog) stays for the next build.
  add_custom_command(OUTPUT ${generated}/${name}.gz
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${source} ${generated}/${name}.gz
    DEPENDS ${source} VERBATIM)
  list(APPEND compressed ${generated}/${name}.gz)
endforeach()
add_custom_target(vornick_compressed_docs ALL DEPENDS ${compressed})
# Built with the programs, so that building only them still leaves all to install.
add_dependencies(vornick-cli vornick_compressed_docs)
if(VORNICK_WINDOW)
  add_dependencies(vornick vornick_compressed_docs)
endif()

set(man1 ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/vornick-cli.1.gz DESTINATION ${man1} COMPONENT cli)
install(FILES packaging/vornick-cli.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vornick-cli COMPONENT cli)
set(packages cli ${VORNICK_CLI_PACKAGE} vornick-cli)
if(VORNICK_WINDOW)
  list(APPEND packages window ${VORNICK_WINDOW_PACKAGE} vornick)
  install(FILES ${generated}/vornick.1.gz DESTINATION ${man1} COMPONENT window)
  install(FILES packaging/vornick.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
    COMPONENT window)
  install(FILES gui/icons/rename.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME vornick.svg COMPONENT window)
  install(FILES ${generated}/${VORNICK_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT window)
endif()
while(packages)
  list(POP_FRONT packages component package program)
  install(FILES packaging/copyright ${generated}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
  # A stripped program loses the compilers' notes too, as Debian's own stripping does.
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()" COMPONENT ${component})
endwhile()
