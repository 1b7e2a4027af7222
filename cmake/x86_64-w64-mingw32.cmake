# Cross build for 64-bit Windows with MinGW-w64:
#   cmake -S . -B build-mingw --toolchain cmake/x86_64-w64-mingw32.cmake -DPL_CONFIG_BUILD_TESTS=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_pl_config_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_pl_config_mingw}-gcc)
set(CMAKE_CXX_COMPILER ${_pl_config_mingw}-g++)
set(CMAKE_RC_COMPILER ${_pl_config_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_pl_config_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Where wine is installed, the build's own runs of the tool (the example
# target) start it under wine.
find_program(PL_CONFIG_WINE NAMES wine wine64)
if(PL_CONFIG_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PL_CONFIG_WINE})
endif()
