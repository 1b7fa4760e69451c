#!/usr/bin/env bats
# The installed command and its manual page, from the tree and from the package.

load helper

@test "the install tree and the Debian package hold the command and its page" {
	: "${BYTECOPY_BUILD:?set BYTECOPY_BUILD to the build folder}"
	cmake --install "$BYTECOPY_BUILD" --prefix "$WORK/prefix" >/dev/null
	[ -f prefix/share/man/man1/bytecopy.1 ]
	printf abc >src
	run --separate-stderr prefix/bin/bytecopy src out
	expect 0 "File copied successfully
3 bytes copied" ""

	cpack -G DEB --config "$BYTECOPY_BUILD/CPackConfig.cmake" -B "$WORK/package" >/dev/null
	run dpkg-deb --contents package/*.deb
	[[ "$output" == *" ./usr/bin/bytecopy"* ]]
	[[ "$output" == *" ./usr/share/man/man1/bytecopy.1"* ]]
}
