# Builds for the browser with Debian's Emscripten (emcc). The libraries come from
# the prefix that scripts/build-web-deps.sh makes, named by ZF_WEB_DEPS_PREFIX
# (a cache variable or the environment).
#   cmake -S . -B build-web --toolchain cmake/emscripten.cmake -DZF_WEB_DEPS_PREFIX=DIR
if(NOT ZF_WEB_DEPS_PREFIX AND DEFINED ENV{ZF_WEB_DEPS_PREFIX})
  set(ZF_WEB_DEPS_PREFIX "$ENV{ZF_WEB_DEPS_PREFIX}")
endif()
set(ZF_WEB_DEPS_PREFIX "${ZF_WEB_DEPS_PREFIX}" CACHE PATH "Prefix of the libraries built for the web")
# try_compile projects read the toolchain file again without the cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZF_WEB_DEPS_PREFIX)

# Emscripten's own file appends its system root to this list.
set(CMAKE_FIND_ROOT_PATH ${ZF_WEB_DEPS_PREFIX})
# Programs built here (the tests) run under Node. Debian's Emscripten fetches
# the .wasm in a way this Node's own fetch takes for a URL and refuses.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/node --no-experimental-fetch)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
# Emscripten puts its old SDL 1 headers (SDL.h, SDL_ttf.h ...) ahead of any
# other unless told that SDL 1 is not used: SDL 2 comes from the prefix.
set(CMAKE_C_FLAGS_INIT "-sUSE_SDL=0")
set(CMAKE_CXX_FLAGS_INIT "-sUSE_SDL=0")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-sUSE_SDL=0")
# pkg-config must see the prefix's .pc files and never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} "${ZF_WEB_DEPS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
