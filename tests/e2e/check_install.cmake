# Installs the build into a fresh folder and checks what lands there: both
# programs (the windows, their desktop entry, icon and the user's guide when
# built), their gzipped manual pages, the copyright file and changelog, and an
# installed velmora-cli that runs.
#   cmake -DBUILD_DIR=... -DSTAGE=... -DGUI=ON|OFF -P check_install.cmake
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${STAGE}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected bin/velmora-cli share/doc/velmora/README.md share/doc/velmora/copyright
    share/doc/velmora/changelog.gz share/man/man1/velmora-cli.1.gz)
if(GUI)
  list(APPEND expected bin/velmora share/applications/velmora.desktop
       share/icons/hicolor/scalable/apps/velmora.svg share/man/man1/velmora.1.gz
       share/doc/velmora/Velmora.pdf)
endif()
foreach(path IN LISTS expected)
  if(NOT EXISTS "${STAGE}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

execute_process(COMMAND "${STAGE}/bin/velmora-cli" --version
                OUTPUT_VARIABLE version RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT version STREQUAL "Velmora ${VERSION}\n")
  message(FATAL_ERROR "installed velmora-cli --version gave ${result}: '${version}'")
endif()
# The compressed pages are gzip files (magic 1f 8b) and the guide a PDF.
set(compressed share/man/man1/velmora-cli.1.gz share/doc/velmora/changelog.gz)
if(GUI)
  list(APPEND compressed share/man/man1/velmora.1.gz)
  file(READ "${STAGE}/share/doc/velmora/Velmora.pdf" head LIMIT 5 HEX)
  if(NOT head STREQUAL "255044462d")  # %PDF-
    message(FATAL_ERROR "the installed Velmora.pdf is not a PDF: '${head}'")
  endif()
endif()
foreach(path IN LISTS compressed)
  file(READ "${STAGE}/${path}" magic LIMIT 2 HEX)
  if(NOT magic STREQUAL "1f8b")
    message(FATAL_ERROR "${path} is not gzipped (starts with ${magic})")
  endif()
endforeach()

if(GUI)
  file(READ "${STAGE}/share/applications/velmora.desktop" entry)
  foreach(line "Exec=velmora %f" "MimeType=application/gpx+xml;" "Icon=velmora" "Type=Application")
    string(FIND "${entry}" "${line}\n" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "the desktop entry lacks ${line}")
    endif()
  endforeach()
endif()
file(REMOVE_RECURSE "${STAGE}")
