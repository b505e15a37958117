# Cross-builds the game for 64-bit Windows with Debian's MinGW-w64 (the posix
# thread variant: std::thread needs it). The libraries come from the prefix that
# scripts/build-windows-deps.sh makes, named by ZF_WIN_DEPS_PREFIX (a cache
# variable or the environment).
#   cmake -S . -B build-win --toolchain cmake/mingw-w64-x86_64.cmake -DZF_WIN_DEPS_PREFIX=DIR
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(ZF_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ZF_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZF_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZF_MINGW_TRIPLE}-windres)

if(NOT ZF_WIN_DEPS_PREFIX AND DEFINED ENV{ZF_WIN_DEPS_PREFIX})
  set(ZF_WIN_DEPS_PREFIX "$ENV{ZF_WIN_DEPS_PREFIX}")
endif()
set(ZF_WIN_DEPS_PREFIX "${ZF_WIN_DEPS_PREFIX}" CACHE PATH "Prefix of the cross-built libraries")
# try_compile projects read the toolchain file again without the cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZF_WIN_DEPS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${ZF_MINGW_TRIPLE} ${ZF_WIN_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config must see the prefix's .pc files and never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} "${ZF_WIN_DEPS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# No MinGW runtime DLLs to ship beside the executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and tools built for Windows run through Wine on the build machine, by
# way of a script that starts again what Wine failed to start.
find_program(ZF_WINE wine)
if(ZF_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR sh ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${ZF_WINE})
endif()
