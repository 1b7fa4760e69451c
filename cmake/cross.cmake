# SPDX-License-Identifier: MIT
# A build with Debian's g++-BYTECOPY_TARGET, which configure's checks get too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BYTECOPY_TARGET)
string(REGEX REPLACE "-.*" "" processor ${BYTECOPY_TARGET})
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${processor})
set(CMAKE_CXX_COMPILER ${BYTECOPY_TARGET}-g++)
