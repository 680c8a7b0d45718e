# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix thread model).
#
#   tools/build-libpng-mingw.sh DEPS
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DCMAKE_PREFIX_PATH=DEPS
#   cmake --build build-win
#
# Everything is linked statically, so the programs need no DLL beside them.
# Tests and other target programs run through Wine.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PXL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${PXL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PXL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${PXL_MINGW_TRIPLE}-windres)

# Libraries and headers come from the MinGW sysroot and from the prefixes
# given on the command line (where our libpng lives), never from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${PXL_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The sysroot has zlib both as a DLL import library and as an archive.
set(ZLIB_USE_STATIC_LIBS ON)

# The runtime's own printf prints "%g" with three exponent digits (1e+005);
# the MinGW one prints two, as the C standard and Linux do.
set(CMAKE_C_FLAGS_INIT   "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(PXL_WINE NAMES wine wine64)
if(PXL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PXL_WINE})
endif()
