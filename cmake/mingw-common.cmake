# Shared part of the mingw-w64 toolchain files; ADSL_MINGW_TRIPLE is set.
# The -posix compilers give std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${ADSL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ADSL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ADSL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ADSL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable: no libstdc++, libgcc or winpthread DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
