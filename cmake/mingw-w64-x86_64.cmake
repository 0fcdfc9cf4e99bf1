# SPDX-License-Identifier: MIT
# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers (the
# POSIX-threads variant, whose C++ library has std::thread and friends), and
# runs what it builds under Wine: "make windows" and the Windows half of
# "make test".
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LUMORA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LUMORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMORA_MINGW_PREFIX}-windres)

# Libraries and headers for Windows only, programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${LUMORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs linked whole, so that each .exe runs alone, under Wine or on a
# Windows machine without the MinGW runtime DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

# ctest and gtest_discover_tests run the test programs through Wine.
find_program(LUMORA_WINE NAMES wine64 wine HINTS /usr/lib/wine)
if(LUMORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LUMORA_WINE})
endif()
