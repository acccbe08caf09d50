# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX
# threads variant, which std::thread and the rest of the standard library's
# threading need):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DKT520_QT=OFF
# Packages, libraries and headers for the target are looked for under the
# MinGW root and the roots given with -DCMAKE_FIND_ROOT_PATH=DIR (where
# scripts/windows-core.sh installs GoogleTest built for Windows), never among
# the build machine's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KT520_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KT520_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KT520_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KT520_MINGW}-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KT520_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The executables carry the compiler's runtime (libstdc++, libgcc,
# winpthread) inside, so they run without MinGW's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Wine runs the cross-built programs, so that the build may run them (test
# discovery, try_run) as it would native ones.
find_program(KT520_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(KT520_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KT520_WINE})
endif()
