# SPDX-License-Identifier: MIT
# Run by CPack before packing: adds the packages' own documents, and dates
# every file as the release, readable by all.
set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
execute_process(COMMAND ${CPACK_BYTECOPY_STRIP} --remove-section=.comment ${staged}/bin/bytecopy
	COMMAND_ERROR_IS_FATAL ANY)
set(doc ${staged}/share/doc/bytecopy)
file(MAKE_DIRECTORY ${doc})
file(COPY ${CPACK_BYTECOPY_SOURCE}/pkg/copyright DESTINATION ${doc})
execute_process(COMMAND gzip -9n -c ${CPACK_BYTECOPY_SOURCE}/pkg/changelog
	OUTPUT_FILE ${doc}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
if(CPACK_GENERATOR STREQUAL DEB AND CPACK_BYTECOPY_LINTIAN_OVERRIDES)
	file(MAKE_DIRECTORY ${staged}/share/lintian/overrides)
	file(COPY_FILE ${CPACK_BYTECOPY_LINTIAN_OVERRIDES} ${staged}/share/lintian/overrides/bytecopy)
endif()
execute_process(COMMAND find ${CPACK_TEMPORARY_INSTALL_DIRECTORY} -exec chmod u=rwX,go=rX {} +
	-exec touch -d @$ENV{SOURCE_DATE_EPOCH} {} + COMMAND_ERROR_IS_FATAL ANY)
