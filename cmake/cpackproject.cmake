# SPDX-License-Identifier: MIT
# Read by CPack for each package: times from SOURCE_DATE_EPOCH, else the release's.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
	set(ENV{SOURCE_DATE_EPOCH} ${CPACK_BYTECOPY_EPOCH})
endif()

# rpmbuild cannot work in a path with a space: the RPM is made elsewhere.
if(CPACK_GENERATOR STREQUAL RPM AND CPACK_PACKAGE_DIRECTORY MATCHES " ")
	set(CPACK_OUTPUT_FILE_PREFIX ${CPACK_PACKAGE_DIRECTORY})
	string(MD5 folder "${CPACK_PACKAGE_DIRECTORY}")
	set(CPACK_PACKAGE_DIRECTORY /tmp/bytecopy-rpm-${folder})
endif()
