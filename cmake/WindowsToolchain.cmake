# Cross-building for 64-bit Windows with Debian's MinGW-w64 compilers (g++-mingw-w64-x86-64-posix:
# POSIX threads, so std::thread and <mutex> work). scripts/windows uses this file both for the
# libraries it builds from Debian's source packages and for the box set.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(tolvane_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${tolvane_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${tolvane_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${tolvane_mingw}-windres)
set(CMAKE_AR ${tolvane_mingw}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${tolvane_mingw}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the MinGW sysroot and the prefix scripts/windows builds the
# libraries into (named in the environment, which reaches CMake's own test builds too), never from
# the build machine's own /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${tolvane_mingw} $ENV{TOLVANE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
