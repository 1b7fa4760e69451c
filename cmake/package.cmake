# SPDX-License-Identifier: MIT
# The project's own .deb and .rpm, made by the target `packages` under umask
# 022: the same bytes for the same commit.
set(BYTECOPY_MAINTAINER "bytecopy developers <bytecopy@example.org>"
	CACHE STRING "The packages' maintainer, as NAME <ADDRESS>")
set(BYTECOPY_URL "https://example.org/bytecopy" CACHE STRING "The project's home page")
include(cmake/changelog.cmake)

# A static binary names its C library's package, and tells lintian why.
if(BYTECOPY_LIBC_A)
	set(lintian_tag statically-linked-binary)
	if(BYTECOPY_LINK STREQUAL static-pie)
		# Lintian takes a static PIE for a shared library.
		set(lintian_tag shared-library-lacks-prerequisites)
	endif()
	configure_file(pkg/lintian-overrides.in lintian-overrides @ONLY)
	set(CPACK_BYTECOPY_LINTIAN_OVERRIDES ${CMAKE_BINARY_DIR}/lintian-overrides)
	# dpkg -S says "musl-dev:amd64: PATH": keep the architecture.
	file(REAL_PATH ${BYTECOPY_LIBC_A} libc_a)
	execute_process(COMMAND dpkg -S ${libc_a} OUTPUT_VARIABLE libc_dev ERROR_QUIET)
	string(REGEX REPLACE "[,:] .*" "" libc_dev "${libc_dev}")
	if(libc_dev)
		execute_process(COMMAND dpkg-query -W "-f=\${source:Package} (= \${source:Version})"
			${libc_dev} OUTPUT_VARIABLE built_using ERROR_QUIET)
		set(CPACK_DEBIAN_PACKAGE_SOURCE "bytecopy\nBuilt-Using: ${built_using}")
	endif()
endif()

# The packages are for the target, which the compiler names.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -dumpmachine
	OUTPUT_VARIABLE target OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND dpkg-architecture -t ${target} -qDEB_HOST_ARCH
	OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
set(CPACK_RPM_PACKAGE_ARCHITECTURE ${CMAKE_SYSTEM_PROCESSOR})
foreach(pair armel:armv5tel armhf:armv7hl ppc64el:ppc64le)
	if(pair MATCHES "^${CPACK_DEBIAN_PACKAGE_ARCHITECTURE}:(.*)")
		set(CPACK_RPM_PACKAGE_ARCHITECTURE ${CMAKE_MATCH_1})
	endif()
endforeach()

set(CPACK_PACKAGE_VENDOR "The bytecopy authors")
set(CPACK_PACKAGE_CONTACT "${BYTECOPY_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION "bytecopy SOURCE DESTINATION copies a file into another, one byte
per read and one byte per write, and reports how many bytes it copied.")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${BYTECOPY_URL}")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_BYTECOPY_STRIP "${CMAKE_STRIP}")
set(CPACK_BYTECOPY_SOURCE ${CMAKE_SOURCE_DIR})
set(CPACK_BYTECOPY_EPOCH ${BYTECOPY_EPOCH})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/prebuild.cmake)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/cpackproject.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_RPM_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_RPM_CHANGELOG_FILE ${CMAKE_BINARY_DIR}/rpm-changelog)
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /usr/share/man /usr/share/man/man1 /usr/share/doc)
if(BYTECOPY_LIBC_A)
	# A static binary needs nothing, whatever rpmbuild would guess.
	set(CPACK_RPM_PACKAGE_AUTOREQPROV no)
endif()
# Times from SOURCE_DATE_EPOCH, and a fixed build host.
set(CPACK_RPM_SPEC_MORE_DEFINE "%define packager ${BYTECOPY_MAINTAINER}
%define use_source_date_epoch_as_buildtime 1
%define clamp_mtime_to_source_date_epoch 1
%define _buildhost reproducible
%define _build_id_links none")

find_program(DPKG_DEB dpkg-deb)
find_program(RPMBUILD rpmbuild)
set(CPACK_GENERATOR)
if(DPKG_DEB)
	list(APPEND CPACK_GENERATOR DEB)
endif()
if(RPMBUILD)
	list(APPEND CPACK_GENERATOR RPM)
endif()
include(CPack)
add_custom_target(packages COMMAND sh -c "umask 022 && exec \"$0\"" ${CMAKE_CPACK_COMMAND} VERBATIM)
add_dependencies(packages bytecopy manual)
