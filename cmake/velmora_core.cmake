# The core library velmora_core (no Qt in it), for the main build and for the
# fuzz build alike: the libraries it links and the folders that add its sources.
# VELMORA_ROOT is the repository's root.
find_package(CURL REQUIRED)
find_package(OpenSSL REQUIRED COMPONENTS Crypto)
find_package(LibXml2 REQUIRED)
find_package(Iconv REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)

add_library(velmora_core STATIC)
target_include_directories(velmora_core PUBLIC ${VELMORA_ROOT})
target_link_libraries(velmora_core PUBLIC CURL::libcurl OpenSSL::Crypto LibXml2::LibXml2 Iconv::Iconv
                      PkgConfig::LIBZIP)
foreach(subsystem core files net logs gpx listing datasheet sources newfile report)
  add_subdirectory(${VELMORA_ROOT}/${subsystem} ${CMAKE_BINARY_DIR}/${subsystem})
endforeach()
