# Cross-compiling for Windows with Debian's MinGW-w64 (the POSIX-threads variant, which
# std::thread needs). KPZ_MINGW_TRIPLE names the target; everything is linked statically, so
# the programs need no DLL of the compiler's beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${KPZ_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KPZ_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KPZ_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KPZ_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
