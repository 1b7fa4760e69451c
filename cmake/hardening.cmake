# SPDX-License-Identifier: MIT
# A distribution's hardening, each part where the builder's flags do not
# choose it and the compiler takes it.
include(CheckCXXCompilerFlag)
if(BYTECOPY_LINK STREQUAL dynamic)
	target_link_options(bytecopy PRIVATE -pie)
endif()
# CMake reads CXXFLAGS and LDFLAGS, not CPPFLAGS.
separate_arguments(cppflags UNIX_COMMAND "$ENV{CPPFLAGS}")
target_compile_options(bytecopy PRIVATE ${cppflags})
set(chosen "$ENV{CPPFLAGS} ${CMAKE_CXX_FLAGS} ${CMAKE_EXE_LINKER_FLAGS}")

foreach(flag stack-protector-strong stack-clash-protection cf-protection)
	string(REPLACE "-strong" "" part ${flag})
	string(MAKE_C_IDENTIFIER "HAVE_${flag}" have)
	check_cxx_compiler_flag(-f${flag} ${have})
	if(${have} AND NOT chosen MATCHES "-f(no-)?${part}")
		target_compile_options(bytecopy PRIVATE -f${flag})
	endif()
endforeach()
if(NOT chosen MATCHES "_FORTIFY_SOURCE" AND NOT BYTECOPY_SANITIZE)
	target_compile_options(bytecopy PRIVATE -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3)
endif()
if(NOT chosen MATCHES "relro")
	target_link_options(bytecopy PRIVATE -Wl,-z,relro)
endif()
if(NOT chosen MATCHES "z[, ](now|lazy)")
	target_link_options(bytecopy PRIVATE -Wl,-z,now)
endif()
