# Cross-builds Tavrin for 64-bit Windows with MinGW-w64 (posix threads, so that std::thread and
# std::mutex work). The programs carry libgcc, libstdc++ and winpthread inside them: a user
# copies tavrin-cli.exe anywhere and needs no DLL of ours beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVRIN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVRIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRIN_MINGW_TRIPLE}-windres)

# PCRE2 and GoogleTest, cross-built from Debian's sources by scripts/windows-deps.
get_filename_component(TAVRIN_WINDOWS_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build/windows-deps/prefix"
                       ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRIN_MINGW_TRIPLE} "${TAVRIN_WINDOWS_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config must see the cross-built libraries only, never the host's.
set(ENV{PKG_CONFIG_LIBDIR} "${TAVRIN_WINDOWS_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Programs built here run under Wine: the tests, and test discovery.
find_program(TAVRIN_WINE wine)
if(TAVRIN_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${TAVRIN_WINE}")
endif()
