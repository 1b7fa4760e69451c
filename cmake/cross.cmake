# SPDX-License-Identifier: MIT
# A build for another machine with Debian's cross compiler for the target
# triplet BYTECOPY_TARGET (i686-linux-gnu, aarch64-linux-gnu, s390x-linux-gnu,
# ...), from its package g++-TRIPLET. The tests run the command under
# qemu-user's emulator for the target, except where the kernel runs it itself.
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

# An x86-64 kernel runs i386 programs itself; qemu names that target i386.
if(processor MATCHES "^i.86$" AND CMAKE_HOST_SYSTEM_PROCESSOR STREQUAL x86_64)
	set(CMAKE_CROSSCOMPILING_EMULATOR "")
elseif(processor MATCHES "^i.86$")
	set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
else()
	set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${processor})
endif()
