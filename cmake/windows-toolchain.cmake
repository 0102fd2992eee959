# Cross build for 64-bit Windows with MinGW-w64 (GCC, posix threads) against
# Qt and libsodium built for it. The prefix that holds them comes from
# KIRABILOG_MINGW_PREFIX, as a cache entry or in the environment; its own
# toolchain file names the compilers and the host Qt that runs moc and rcc.
if(DEFINED ENV{KIRABILOG_MINGW_PREFIX} AND NOT "$ENV{KIRABILOG_MINGW_PREFIX}" STREQUAL "")
    set(KIRABILOG_MINGW_PREFIX "$ENV{KIRABILOG_MINGW_PREFIX}" CACHE PATH
        "MinGW prefix with Qt 6 and libsodium" FORCE)
endif()
if(NOT KIRABILOG_MINGW_PREFIX OR NOT EXISTS "${KIRABILOG_MINGW_PREFIX}/lib/cmake/Qt6/qt.toolchain.cmake")
    message(FATAL_ERROR
        "KIRABILOG_MINGW_PREFIX must name a MinGW prefix with Qt 6 and libsodium "
        "(found: '${KIRABILOG_MINGW_PREFIX}'); ./setup.sh windows finds or makes one.")
endif()
# try_compile projects read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KIRABILOG_MINGW_PREFIX)
set(QT_HOST_PATH /usr CACHE PATH "Host Qt whose tools build for the target")
include("${KIRABILOG_MINGW_PREFIX}/lib/cmake/Qt6/qt.toolchain.cmake")
