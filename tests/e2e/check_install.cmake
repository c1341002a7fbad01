# Installs the build into a fresh folder and checks what lands there: both
# programs (the windows and their desktop entry and icon when built), and an
# installed velmora-cli that runs.
#   cmake -DBUILD_DIR=... -DSTAGE=... -DGUI=ON|OFF -P check_install.cmake
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${STAGE}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected bin/velmora-cli share/doc/velmora/README.md)
if(GUI)
  list(APPEND expected bin/velmora share/applications/velmora.desktop
       share/icons/hicolor/scalable/apps/velmora.svg)
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
if(GUI)
  file(READ "${STAGE}/share/applications/velmora.desktop" entry)
  foreach(line "Exec=velmora" "Icon=velmora" "Type=Application")
    string(FIND "${entry}" "${line}\n" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "the desktop entry lacks ${line}")
    endif()
  endforeach()
endif()
file(REMOVE_RECURSE "${STAGE}")
