# Third-party code: minizip's reader on top of the toolchain's static zlib.
#
# Nothing of it is kept in the repository. The minizip sources come from the zlib copy inside
# Debian's binutils-source tarball (installed by scripts/bootstrap) and are unpacked into the
# build tree when the project is configured; zlib is libz-mingw-w64-dev's static library.

file(GLOB LANDER_BINUTILS_TARBALLS /usr/src/binutils/binutils-*.tar.xz)
if(NOT LANDER_BINUTILS_TARBALLS)
  message(FATAL_ERROR "binutils-source is missing (run scripts/bootstrap): minizip is taken from it")
endif()
list(SORT LANDER_BINUTILS_TARBALLS)
list(GET LANDER_BINUTILS_TARBALLS -1 LANDER_BINUTILS_TARBALL)
get_filename_component(LANDER_BINUTILS_NAME ${LANDER_BINUTILS_TARBALL} NAME)
string(REGEX REPLACE "\\.tar\\.xz$" "" LANDER_BINUTILS_NAME ${LANDER_BINUTILS_NAME})

set(LANDER_MINIZIP_DIR ${CMAKE_BINARY_DIR}/third_party/minizip)
set(LANDER_MINIZIP_FILES unzip.c unzip.h ioapi.c ioapi.h)
set(LANDER_MINIZIP_STAMP ${LANDER_MINIZIP_DIR}/.from-${LANDER_BINUTILS_NAME})
if(NOT EXISTS ${LANDER_MINIZIP_STAMP})
  message(STATUS "minizip: unpacking from ${LANDER_BINUTILS_NAME}")
  file(REMOVE_RECURSE ${LANDER_MINIZIP_DIR})
  file(MAKE_DIRECTORY ${LANDER_MINIZIP_DIR})
  set(members)
  foreach(f ${LANDER_MINIZIP_FILES})
    list(APPEND members ${LANDER_BINUTILS_NAME}/zlib/contrib/minizip/${f})
  endforeach()
  execute_process(
    COMMAND tar -xJf ${LANDER_BINUTILS_TARBALL} --strip-components=4 -C ${LANDER_MINIZIP_DIR} ${members}
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "minizip: could not unpack ${members} from ${LANDER_BINUTILS_TARBALL}")
  endif()
  file(TOUCH ${LANDER_MINIZIP_STAMP})
endif()

# The toolchain file limits library searches to /usr/<target>, so this is the mingw-w64 zlib.
find_library(LANDER_ZLIB_STATIC NAMES libz.a REQUIRED)
find_path(LANDER_ZLIB_INCLUDE zlib.h REQUIRED)

add_library(lander_minizip STATIC ${LANDER_MINIZIP_DIR}/unzip.c ${LANDER_MINIZIP_DIR}/ioapi.c)
target_include_directories(lander_minizip SYSTEM PUBLIC ${LANDER_MINIZIP_DIR} ${LANDER_ZLIB_INCLUDE})
# Only the reader is used, never minizip's own encryption support.
target_compile_definitions(lander_minizip PUBLIC NOUNCRYPT)
target_compile_options(lander_minizip PRIVATE -w)
target_link_libraries(lander_minizip PUBLIC ${LANDER_ZLIB_STATIC})

set(LANDER_THIRD_PARTY_LIBS lander_minizip)
