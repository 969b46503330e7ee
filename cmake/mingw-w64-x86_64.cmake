# Cross-builds the engine, the driver and their tests for 64-bit Windows with
# Debian's MinGW-w64 (package g++-mingw-w64-x86-64-posix); ctest runs the
# results through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
# The posix flavour has std::thread, which the reading ahead needs.
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry their C++ runtime and threads, so they start on any
# Windows (and under Wine) without DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(VELTRA_WINE NAMES wine wine64)
if(VELTRA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VELTRA_WINE})
endif()
