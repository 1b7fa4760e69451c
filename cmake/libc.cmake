# SPDX-License-Identifier: MIT
# The C library of every program built here: the system's, dynamically, as
# a distribution links; or, with BYTECOPY_STATIC, statically, on musl where
# Debian's musl-dev is installed for the target (a fraction of glibc's
# start-up cost) and on glibc otherwise. Sets BYTECOPY_LINK (static-pie,
# static or dynamic) and, when static, BYTECOPY_LIBC_A.
set(BYTECOPY_LINK dynamic)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
if(NOT BYTECOPY_STATIC OR BYTECOPY_SANITIZE)
	message(STATUS "bytecopy: the system's C library, dynamic link")
	return()
endif()

# Debian's folder for the target's musl: its multiarch name, gnu made musl.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-multiarch
	OUTPUT_VARIABLE multiarch OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REPLACE "-gnu" "-musl" musl "${multiarch}")
set(lib /usr/lib/${musl})
if(musl MATCHES "-musl" AND EXISTS ${lib}/rcrt1.o AND EXISTS /usr/include/${musl}/stdio.h)
	set(BYTECOPY_LINK static-pie)
	set(BYTECOPY_LIBC_A ${lib}/libc.a)
	# Nothing of the C++ run-time library nor its unwinder is needed: musl's
	# headers, the compiler's, and musl's start files for a static PIE
	# (which some targets' compilers must be told needs no loader).
	foreach(file gcc_include:include crtbegin:crtbeginS.o crtend:crtendS.o libgcc:libgcc.a)
		string(REPLACE ":" ";" file ${file})
		list(GET file 0 var)
		list(GET file 1 name)
		execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
			OUTPUT_VARIABLE ${var} OUTPUT_STRIP_TRAILING_WHITESPACE)
	endforeach()
	add_compile_options(-nostdinc -nostdinc++ -fno-exceptions
		"SHELL:-isystem /usr/include/${musl}" "SHELL:-isystem ${gcc_include}")
	add_link_options(-static-pie -Wl,--no-dynamic-linker -nostdlib ${lib}/rcrt1.o ${lib}/crti.o ${crtbegin})
	link_libraries(-Wl,--start-group ${BYTECOPY_LIBC_A} ${libgcc} -Wl,--end-group ${crtend} ${lib}/crtn.o)
else()
	set(musl "glibc: no musl for ${multiarch}")
	execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libc.a
		OUTPUT_VARIABLE BYTECOPY_LIBC_A OUTPUT_STRIP_TRAILING_WHITESPACE)
	include(CheckLinkerFlag)
	set(CMAKE_REQUIRED_FLAGS -fPIE)
	check_linker_flag(CXX -static-pie HAVE_STATIC_PIE)
	set(BYTECOPY_LINK static)
	if(HAVE_STATIC_PIE)
		set(BYTECOPY_LINK static-pie)
	endif()
	add_link_options(-${BYTECOPY_LINK})
endif()
message(STATUS "bytecopy: ${musl}, ${BYTECOPY_LINK} link")
