# SPDX-License-Identifier: MIT
# Chooses the C library and the link. musl, where it is installed, gives a
# static binary that starts with a fraction of glibc's page faults and system
# calls; otherwise glibc, statically where its static library is installed.
# Sets BYTECOPY_LIBC (musl or glibc) and BYTECOPY_LINK (static-pie, static or
# dynamic).
include(CheckLinkerFlag)

# Position-independent code for every link: each but the plain static one
# is a PIE, and there it costs nothing.
set_target_properties(bytecopy PROPERTIES POSITION_INDEPENDENT_CODE ON)

# Debian's folders for the target's C libraries: the compiler knows the
# target's name (i386-linux-gnu for an i686 compiler, say), and musl's
# folders replace its gnu with musl.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-multiarch
	OUTPUT_VARIABLE multiarch OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REPLACE "-gnu" "-musl" musl_arch "${multiarch}")
set(musl_lib /usr/lib/${musl_arch})
set(musl_include /usr/include/${musl_arch})
set(BYTECOPY_LIBC glibc)
set(BYTECOPY_LINK dynamic)

if(BYTECOPY_SANITIZE)
	set(why "the sanitizers need the shared glibc")
elseif(NOT BYTECOPY_STATIC)
	set(why "BYTECOPY_STATIC is off")
elseif(BYTECOPY_MUSL AND musl_arch MATCHES "-musl" AND EXISTS ${musl_lib}/rcrt1.o
       AND EXISTS ${musl_lib}/libc.a AND EXISTS ${musl_include}/stdio.h)
	set(BYTECOPY_LIBC musl)
	set(BYTECOPY_LINK static-pie)
	set(why "found in ${musl_lib}")
	# The command needs nothing of the C++ run-time library, so it is
	# compiled against musl's headers and the compiler's own, and linked
	# with musl's start files for a self-relocating static PIE.
	foreach(file gcc_include:include crtbegin:crtbeginS.o crtend:crtendS.o libgcc:libgcc.a)
		string(REPLACE ":" ";" file ${file})
		list(GET file 0 var)
		list(GET file 1 name)
		execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
			OUTPUT_VARIABLE ${var} OUTPUT_STRIP_TRAILING_WHITESPACE)
	endforeach()
	target_compile_options(bytecopy PRIVATE -nostdinc -nostdinc++
		"SHELL:-isystem ${musl_include}" "SHELL:-isystem ${gcc_include}")
	target_link_options(bytecopy PRIVATE -static-pie -nostdlib
		${musl_lib}/rcrt1.o ${musl_lib}/crti.o ${crtbegin})
	target_link_libraries(bytecopy PRIVATE ${musl_lib}/libc.a ${libgcc} ${crtend}
		${musl_lib}/crtn.o)
else()
	# A machine without the static glibc (Fedora without glibc-static)
	# still builds, dynamically.
	set(CMAKE_REQUIRED_FLAGS -fPIE)
	check_linker_flag(CXX -static-pie HAVE_STATIC_PIE)
	check_linker_flag(CXX -static HAVE_STATIC)
	unset(CMAKE_REQUIRED_FLAGS)
	set(why "musl is not installed for ${multiarch} or BYTECOPY_MUSL is off")
	if(HAVE_STATIC_PIE)
		set(BYTECOPY_LINK static-pie)
		target_link_options(bytecopy PRIVATE -static-pie)
	elseif(HAVE_STATIC)
		set(BYTECOPY_LINK static)
		string(APPEND why "; the C library has no static PIE start file")
		target_link_options(bytecopy PRIVATE -static)
	else()
		string(APPEND why "; no static C library is installed")
	endif()
endif()

if(BYTECOPY_LIBC STREQUAL glibc AND NOT BYTECOPY_SANITIZE)
	target_compile_options(bytecopy PRIVATE -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3)
endif()
if(BYTECOPY_LINK STREQUAL dynamic)
	target_link_options(bytecopy PRIVATE -pie)
endif()
message(STATUS "bytecopy: ${BYTECOPY_LIBC}, ${BYTECOPY_LINK} link (${why})")
