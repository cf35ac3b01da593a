# 64-bit Windows: the same sources built for Wine hosts that cannot run 32-bit Linux binaries,
# where the tests would otherwise crawl through an emulated 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
