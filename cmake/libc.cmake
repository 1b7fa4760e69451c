# SPDX-License-Identifier: MIT
# The C library: the system's, dynamically, or with BYTECOPY_STATIC musl
# (for its start-up) where Debian's musl-dev is there for the target, else
# glibc. Sets BYTECOPY_LINK, and BYTECOPY_TRIPLET when static.
set(BYTECOPY_LINK dynamic)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
if(NOT BYTECOPY_STATIC OR BYTECOPY_SANITIZE)
	message(STATUS "bytecopy: the system's C library, dynamic link")
	return()
endif()

# Debian's folder for the target's musl: its multiarch name, gnu made musl.
string(REPLACE "-gnu" "-musl" musl "${CMAKE_LIBRARY_ARCHITECTURE}")
set(lib /usr/lib/${musl})
if(musl MATCHES "-musl" AND EXISTS ${lib}/rcrt1.o AND EXISTS /usr/include/${musl}/stdio.h)
	set(BYTECOPY_LINK static-pie)
	set(BYTECOPY_TRIPLET ${musl})
	# Nothing of the C++ run-time library nor its unwinder is needed: musl's
	# headers, the compiler's, and musl's start files for a static PIE
	# (which some targets' compilers must be told needs no loader).
	foreach(name include crtbeginS.o crtendS.o libgcc.a)
		execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
			OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
		string(MAKE_C_IDENTIFIER ${name} name)
		set(${name} ${path})
	endforeach()
	add_compile_options(-nostdinc -nostdinc++ -fno-exceptions
		"SHELL:-isystem /usr/include/${musl}" "SHELL:-isystem ${include}")
	add_link_options(-static-pie -Wl,--no-dynamic-linker -nostdlib
		${lib}/rcrt1.o ${lib}/crti.o ${crtbeginS_o})
	link_libraries(-Wl,--start-group ${lib}/libc.a ${libgcc_a} -Wl,--end-group
		${crtendS_o} ${lib}/crtn.o)
else()
	set(musl "glibc: no musl for ${CMAKE_LIBRARY_ARCHITECTURE}")
	set(BYTECOPY_TRIPLET ${CMAKE_LIBRARY_ARCHITECTURE})
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
