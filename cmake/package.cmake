# SPDX-License-Identifier: MIT
# The documents a distribution ships beside the command, and its Debian and
# RPM packages. The same commit gives byte-identical packages from a clone or
# its release tarball, in any folder and under any umask or time zone (see
# changelog.cmake, cpackproject.cmake and prebuild.cmake).
set(BYTECOPY_PLACEHOLDER "bytecopy developers <bytecopy@example.org>")
set(BYTECOPY_MAINTAINER "${BYTECOPY_PLACEHOLDER}"
	CACHE STRING "The packages' maintainer, as NAME <ADDRESS>")
set(BYTECOPY_URL "https://example.org/bytecopy" CACHE STRING "The project's home page")
include(cmake/changelog.cmake)

# Manual pages and changelogs are shipped compressed, without a name or a
# time in the gzip header.
foreach(doc ${CMAKE_SOURCE_DIR}/man/bytecopy.1 ${CMAKE_BINARY_DIR}/changelog)
	get_filename_component(name ${doc} NAME)
	add_custom_command(OUTPUT ${name}.gz
		COMMAND gzip -9n -c ${doc} > ${name}.gz
		DEPENDS ${doc})
	list(APPEND docs ${CMAKE_BINARY_DIR}/${name}.gz)
endforeach()
add_custom_target(docs ALL DEPENDS ${docs})

install(FILES ${CMAKE_BINARY_DIR}/bytecopy.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz pkg/copyright
	DESTINATION ${CMAKE_INSTALL_DOCDIR})

# A static binary is a choice to declare: it names the C library it holds,
# and the override tells lintian why. Lintian takes a static PIE, which
# needs no loader, for a shared library without its prerequisites.
if(NOT BYTECOPY_LINK STREQUAL dynamic)
	set(lintian_tag statically-linked-binary)
	if(BYTECOPY_LINK STREQUAL static-pie)
		set(lintian_tag shared-library-lacks-prerequisites)
	endif()
	# Only the Debian package carries it (see prebuild.cmake).
	configure_file(pkg/lintian-overrides.in lintian-overrides @ONLY)
	set(CPACK_BYTECOPY_LINTIAN_OVERRIDES ${CMAKE_BINARY_DIR}/lintian-overrides)
	# The package that holds the libc.a linked in (musl-dev, libc6-dev, or
	# a cross build's libc6-dev-ARCH-cross), named by its source.
	if(BYTECOPY_LIBC STREQUAL musl)
		set(libc_a ${musl_lib}/libc.a)
	else()
		execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libc.a
			OUTPUT_VARIABLE libc_a OUTPUT_STRIP_TRAILING_WHITESPACE)
	endif()
	file(REAL_PATH ${libc_a} libc_a)
	execute_process(COMMAND dpkg -S ${libc_a} OUTPUT_VARIABLE libc_dev ERROR_QUIET)
	string(REGEX REPLACE "[:,].*" "" libc_dev "${libc_dev}")
	if(libc_dev)
		execute_process(COMMAND dpkg-query -W "-f=\${source:Package} (= \${source:Version})"
			${libc_dev} OUTPUT_VARIABLE built_using ERROR_QUIET)
	endif()
endif()

# The packages are for the machine the command was built for, which a
# cross build's compiler names.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpmachine
	OUTPUT_VARIABLE target OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND dpkg-architecture -t ${target} -qDEB_HOST_ARCH
	OUTPUT_VARIABLE deb_arch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)

set(CPACK_PACKAGE_VENDOR "The bytecopy authors")
set(CPACK_PACKAGE_CONTACT "${BYTECOPY_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION "bytecopy SOURCE DESTINATION copies a file into another, one byte
per read and one byte per write, and reports how many bytes it copied.
Its exit status tells which step failed: the operands, opening the
source, creating the destination, a write or a read. It refuses the
source as its own destination under any name, and reports a full
device, a file-size limit or a failed close as a write error.")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_BYTECOPY_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/prebuild.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/postbuild.cmake)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/cpackproject.cmake)
set(CPACK_BYTECOPY_EPOCH ${BYTECOPY_EPOCH})
set(CPACK_PACKAGE_HOMEPAGE_URL "${BYTECOPY_URL}")

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
if(deb_arch)
	set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${deb_arch})
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(built_using)
	# CPack writes no Built-Using field of its own; the field follows Source.
	set(CPACK_DEBIAN_PACKAGE_SOURCE "bytecopy\nBuilt-Using: ${built_using}")
endif()

set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_ARCHITECTURE ${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_RPM_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_RPM_PACKAGE_SUMMARY "Copy a file one byte at a time")
set(CPACK_RPM_PACKAGE_GROUP "Applications/File")
set(CPACK_RPM_CHANGELOG_FILE ${CMAKE_BINARY_DIR}/rpm-changelog)
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /usr/share/man /usr/share/man/man1 /usr/share/doc)
if(NOT BYTECOPY_LINK STREQUAL dynamic)
	# A static binary needs nothing, whatever rpmbuild would guess.
	set(CPACK_RPM_PACKAGE_AUTOREQPROV no)
endif()
# The same commit gives the same RPM: rpmbuild's own macros take the build
# time and clamp the file times to SOURCE_DATE_EPOCH, and the build host is
# a fixed word.
set(CPACK_RPM_SPEC_MORE_DEFINE "%define packager ${BYTECOPY_MAINTAINER}
%define use_source_date_epoch_as_buildtime 1
%define clamp_mtime_to_source_date_epoch 1
%define _buildhost reproducible
%define _build_id_links none")
include(CPack)
