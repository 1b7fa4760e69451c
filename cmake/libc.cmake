# SPDX-License-Identifier: MIT
# The project's own builds link statically (BYTECOPY_STATIC): against musl
# where Debian's musl-dev is installed for the target, for a binary that
# starts with a fraction of glibc's page faults and system calls, and
# otherwise against the static glibc. A plain build links as a distribution
# does, dynamically against the system's C library.
# Sets BYTECOPY_LINK (static-pie, static or dynamic) and, for a static link,
# BYTECOPY_LIBC_A, the C library the binary holds.
set(BYTECOPY_LINK dynamic)
if(NOT BYTECOPY_STATIC OR BYTECOPY_SANITIZE)
	message(STATUS "bytecopy: the system's C library, dynamic link")
	return()
endif()

# Debian's folder for the target's musl is the compiler's multiarch name
# (i386-linux-gnu for an i686 compiler, say) with gnu made musl.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-multiarch
	OUTPUT_VARIABLE multiarch OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REPLACE "-gnu" "-musl" musl "${multiarch}")
set(lib /usr/lib/${musl})
if(musl MATCHES "-musl" AND EXISTS ${lib}/rcrt1.o AND EXISTS /usr/include/${musl}/stdio.h)
	set(BYTECOPY_LINK static-pie)
	set(BYTECOPY_LIBC_A ${lib}/libc.a)
	# The command needs nothing of the C++ run-time library nor of its
	# unwinder, so it is compiled against musl's headers and the
	# compiler's own, and linked with musl's start files for a
	# self-relocating static PIE (which some targets' compilers must be
	# told needs no loader).
	foreach(file gcc_include:include crtbegin:crtbeginS.o crtend:crtendS.o libgcc:libgcc.a)
		string(REPLACE ":" ";" file ${file})
		list(GET file 0 var)
		list(GET file 1 name)
		execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
			OUTPUT_VARIABLE ${var} OUTPUT_STRIP_TRAILING_WHITESPACE)
	endforeach()
	target_compile_options(bytecopy PRIVATE -nostdinc -nostdinc++ -fno-exceptions
		"SHELL:-isystem /usr/include/${musl}" "SHELL:-isystem ${gcc_include}")
	target_link_options(bytecopy PRIVATE -static-pie -Wl,--no-dynamic-linker -nostdlib
		${lib}/rcrt1.o ${lib}/crti.o ${crtbegin})
	target_link_libraries(bytecopy PRIVATE -Wl,--start-group ${BYTECOPY_LIBC_A} ${libgcc} -Wl,--end-group
		${crtend} ${lib}/crtn.o)
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
	target_link_options(bytecopy PRIVATE -${BYTECOPY_LINK})
endif()
message(STATUS "bytecopy: ${musl}, ${BYTECOPY_LINK} link")
