# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the -posix
# compilers: their C++ runtime has std::thread and std::mutex). Used both for
# the static Qt and for the program; scripts/windows.sh passes it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(olvani_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${olvani_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${olvani_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${olvani_mingw}-windres)

# Headers and libraries only from the MinGW tree (and the prefixes added to
# CMAKE_FIND_ROOT_PATH, such as the static Qt); programs from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${olvani_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
