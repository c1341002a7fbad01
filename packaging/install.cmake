# Installation and the Debian package: both programs, their manual pages, the
# desktop entry, the icon, the user's guide, the copyright file and the
# changelog in the usual places. `cpack -G DEB` in the build folder makes the
# package; its library dependencies are found by dpkg-shlibdeps.
include(GNUInstallDirs)
set(velmora_docdir ${CMAKE_INSTALL_DATADIR}/doc/velmora)

# velmora_gzip(SOURCE NAME.gz): a custom command that compresses SOURCE as
# Debian wants it (gzip -9n: best, without name and time stamp) into the
# build folder's packaging/; the result's path goes to ${NAME}_gz.
function(velmora_gzip source name)
  set(output ${CMAKE_BINARY_DIR}/packaging/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${source} ${output}
    DEPENDS ${source} VERBATIM)
  set(velmora_gzipped ${velmora_gzipped} ${output} PARENT_SCOPE)
endfunction()

set(velmora_gzipped)
velmora_gzip(${PROJECT_SOURCE_DIR}/docs/velmora-cli.1 velmora-cli.1.gz)
velmora_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog changelog.gz)
if(TARGET velmora)
  velmora_gzip(${PROJECT_SOURCE_DIR}/docs/velmora.1 velmora.1.gz)
endif()
add_custom_target(velmora_packaging_files ALL DEPENDS ${velmora_gzipped})

install(TARGETS velmora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/packaging/velmora-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${velmora_docdir})
if(TARGET velmora)
  install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/velmora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_BINARY_DIR}/app/Velmora.pdf DESTINATION ${velmora_docdir})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/velmora.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/velmora.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${velmora_docdir})

set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Velmora adds the current visitor logs of the survey benchmarks in a GPX\n\
1.0 or 1.1 file: from their listing pages, from the geodetic agency's\n\
datasheets on the web, or from a downloaded datasheet file (text or zip).\n\
It writes a copy of the file whose log zones hold the logs, and a run that\n\
stopped can be resumed after its last completed benchmark. It comes as a\n\
desktop program (velmora) and a command-line program (velmora-cli).")
set(CPACK_PACKAGE_CONTACT "Velmora developers <developers@velmora.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The shared libraries the programs link, libzip for the datasheet archive
# reader among them, come from dpkg-shlibdeps; only what it cannot see is
# named here.
if(TARGET velmora)
  # Qt finds its platform plugin at run time.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
include(CPack)
