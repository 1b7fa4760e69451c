# SPDX-License-Identifier: MIT
# The usual hardening of a distribution's binaries, each flag only where the
# compiler takes it (-fcf-protection exists on x86 alone).
include(CheckCXXCompilerFlag)

foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
	string(MAKE_C_IDENTIFIER "HAVE${flag}" have)
	check_cxx_compiler_flag(${flag} ${have})
	if(${have})
		target_compile_options(bytecopy PRIVATE ${flag})
	endif()
endforeach()
target_link_options(bytecopy PRIVATE -Wl,-z,relro,-z,now -Wl,-z,noexecstack)

# The same commit gives the same bytes wherever it is built.
target_compile_options(bytecopy PRIVATE -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
	-ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
