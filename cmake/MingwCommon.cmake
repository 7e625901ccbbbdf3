# What both mingw-w64 toolchain files share: the compilers, the target's root, and wine to run
# what was built (tests included).
set(CMAKE_C_COMPILER ${LC_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LC_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LC_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${LC_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
