# SPDX-License-Identifier: MIT
# A build for another machine with Debian's cross compiler for the target
# triplet BYTECOPY_TARGET (i686-linux-gnu, arm-linux-gnueabihf, ...), from its
# package g++-TRIPLET.
if(NOT BYTECOPY_TARGET)
	message(FATAL_ERROR "set BYTECOPY_TARGET to the target's triplet, such as aarch64-linux-gnu")
endif()
# The checks that configure compiles read this file again, with this set too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BYTECOPY_TARGET)
string(REGEX REPLACE "-.*" "" processor ${BYTECOPY_TARGET})
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${processor})
set(CMAKE_CXX_COMPILER ${BYTECOPY_TARGET}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${BYTECOPY_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
