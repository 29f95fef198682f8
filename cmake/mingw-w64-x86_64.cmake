# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the -posix compilers: Qt needs
# std::thread). Used to build Qt for Windows and the program against it. The program's build sets
# FORGETALLY_QT_PREFIX to that Qt; Debian's own Qt 6 supplies the host tools (moc, uic, rcc).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
# try_compile projects see the toolchain again, without the cache: hand the prefix on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FORGETALLY_QT_PREFIX)
if(FORGETALLY_QT_PREFIX)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${FORGETALLY_QT_PREFIX}")
  set(QT_HOST_PATH /usr CACHE PATH "")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
endif()
# Programs come from the build machine; libraries, headers and packages only from the target.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
