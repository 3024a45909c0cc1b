# Shared part of both MinGW-w64 toolchain files; expects KN_TRIPLE.
set(CMAKE_C_COMPILER ${KN_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KN_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KN_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every deliverable is one self-contained file: no libstdc++, libgcc or
# winpthread DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
