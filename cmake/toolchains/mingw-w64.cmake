# SPDX-License-Identifier: MIT
# Cross-compiling for Windows with the Debian mingw-w64 toolchain of MINGW_TRIPLET, which the
# toolchain file of each architecture sets before including this one.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: with GCC 12 only it has std::thread, which the tests use. The library
# itself starts no threads; its DLL links the thread runtime statically like the rest.
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Headers and libraries come from the target's tree only, never from the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
