# SPDX-License-Identifier: MIT
# A cross build's tests run the command under qemu-user, unless a small
# program built for the target runs here by itself.
if(NOT CMAKE_CROSSCOMPILING)
	return()
endif()
set(probe ${CMAKE_BINARY_DIR}/CMakeFiles/probe)
file(WRITE ${probe}.cpp "int main() {}")
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -static -o ${probe} ${probe}.cpp
	COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${probe} RESULT_VARIABLE runs OUTPUT_QUIET ERROR_QUIET)
if(NOT runs STREQUAL 0)
	string(REGEX REPLACE "^i.86$" "i386" qemu ${CMAKE_SYSTEM_PROCESSOR})
	string(REGEX REPLACE "^arm.*" "arm" qemu ${qemu})
	string(REPLACE "powerpc64le" "ppc64le" qemu ${qemu})
	set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${qemu} CACHE STRING "How the tests run the command")
	message(STATUS "bytecopy: tests run under qemu-${qemu}")
endif()
