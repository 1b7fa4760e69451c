# SPDX-License-Identifier: MIT
# Read by CPack for each package it makes.

# Package times come from SOURCE_DATE_EPOCH; unless the builder sets it, it
# is the date of the newest changelog entry, the same for a clone and a
# release tarball of one commit.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
	set(ENV{SOURCE_DATE_EPOCH} ${CPACK_BYTECOPY_EPOCH})
endif()

# rpmbuild cannot work in a path with a space: the RPM is then made in a
# folder of its own and written where it was asked for.
if(CPACK_GENERATOR STREQUAL RPM AND CPACK_PACKAGE_DIRECTORY MATCHES " ")
	set(CPACK_OUTPUT_FILE_PREFIX ${CPACK_PACKAGE_DIRECTORY})
	string(MD5 folder "${CPACK_PACKAGE_DIRECTORY}")
	set(tmp /tmp)
	if(DEFINED ENV{TMPDIR})
		set(tmp $ENV{TMPDIR})
	endif()
	set(CPACK_PACKAGE_DIRECTORY ${tmp}/bytecopy-rpm-${folder})
endif()
