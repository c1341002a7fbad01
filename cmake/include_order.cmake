# The order of the product folders, top to bottom: an #include "folder/..."
# only ever points at the file's own folder or at a folder further down.
# Folders on one line are siblings and do not include each other.
#
#   cmake -DROOT=<repository> -P cmake/include_order.cmake
#
# fails, naming each include that runs up or across, and any folder of C++
# sources that has no place in the order (CONTRIBUTING.md, "Layout").
set(VELMORA_FOLDER_ORDER
  "app cli server"
  "newfile report"
  "sources"
  "listing datasheet"
  "gpx"
  "logs"
  "files net"
  "core")
# Folders outside the product: they may include anything.
set(VELMORA_OUTSIDE_FOLDERS tests bench fuzz demo docs packaging scripts cmake)

cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<repository> -P include_order.cmake")
endif()

set(rank 0)
foreach(line IN LISTS VELMORA_FOLDER_ORDER)
  string(REPLACE " " ";" folders "${line}")
  foreach(folder IN LISTS folders)
    set(rank_of_${folder} ${rank})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

set(faults "")
file(GLOB entries RELATIVE "${ROOT}" "${ROOT}/*")
foreach(folder IN LISTS entries)
  if(NOT IS_DIRECTORY "${ROOT}/${folder}" OR folder MATCHES "^(build|\\.)"
     OR folder IN_LIST VELMORA_OUTSIDE_FOLDERS)
    continue()
  endif()
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cc")
  if(NOT sources)
    continue()
  endif()
  if(NOT DEFINED rank_of_${folder})
    list(APPEND faults "${folder}/ has no place in the folder order")
    continue()
  endif()
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
    foreach(include IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([a-z_]+)/.*$" "\\1" target "${include}")
      if(target STREQUAL folder OR NOT DEFINED rank_of_${target})
        continue()
      endif()
      if(NOT rank_of_${target} GREATER rank_of_${folder})
        file(RELATIVE_PATH name "${ROOT}" "${source}")
        string(STRIP "${include}" include)
        list(APPEND faults "${name}: ${include} runs up or across")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes against the folder order:\n  ${text}")
endif()
