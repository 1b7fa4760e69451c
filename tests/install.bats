#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# The installed command, its documents and its package, and the hardening
# of the binary itself.

load helper

@test "the install tree holds the command and its documents, readable under any umask" {
	: "${BYTECOPY_BUILD:?set BYTECOPY_BUILD to the build folder}"
	(umask 077 && cmake --install "$BYTECOPY_BUILD" --prefix "$WORK/prefix" >/dev/null)
	printf abc >src
	# shellcheck disable=SC2086 # the emulator, if any, is a command line
	run --separate-stderr $BYTECOPY_EMULATOR prefix/bin/bytecopy src out
	expect 0 "File copied successfully
3 bytes copied" ""
	gzip -dc prefix/share/man/man1/bytecopy.1.gz | grep -q '^\.Nm bytecopy$'
	grep -q '^License: Expat$' prefix/share/doc/bytecopy/copyright
	gzip -dc prefix/share/doc/bytecopy/changelog.gz | grep -q '^bytecopy (.*) unstable'
	run find prefix ! -perm -444
	[ -z "$output" ]
	run find prefix -type d ! -perm -555
	[ -z "$output" ]
	# Debian's lintian override belongs to the Debian package alone.
	[ ! -e prefix/share/lintian ]
}

@test "the Debian package holds the command and its documents, under any umask" {
	: "${BYTECOPY_BUILD:?set BYTECOPY_BUILD to the build folder}"
	(umask 077 && cpack -G DEB --config "$BYTECOPY_BUILD/CPackConfig.cmake" -B "$WORK/package" >/dev/null)
	run dpkg-deb --contents package/bytecopy_*.deb
	[[ "$output" == *"-rwxr-xr-x root/root"*" ./usr/bin/bytecopy"* ]]
	[[ "$output" == *" ./usr/share/man/man1/bytecopy.1.gz"* ]]
	[[ "$output" == *" ./usr/share/doc/bytecopy/copyright"* ]]
	[[ "$output" != *drwx------* ]]
}

@test "a static command's Debian package tells lintian why it is static" {
	: "${BYTECOPY_BUILD:?set BYTECOPY_BUILD to the build folder}"
	[ "$BYTECOPY_LINK" != dynamic ] || skip "linked dynamically: there is nothing to explain"
	(umask 077 && cpack -G DEB --config "$BYTECOPY_BUILD/CPackConfig.cmake" -B "$WORK/package" >/dev/null)
	run dpkg-deb --contents package/bytecopy_*.deb
	[[ "$output" == *"-rw-r--r-- root/root"*" ./usr/share/lintian/overrides/bytecopy"* ]]
}

@test "the packages are signed by the maintainer the packager names" {
	cmake -S "$BATS_TEST_DIRNAME/.." -B conf -DBYTECOPY_MAINTAINER="Ann Packer <ann@example.net>" >/dev/null
	[[ "$(grep '^ -- ' conf/changelog | head -n 1)" == " -- Ann Packer <ann@example.net>  "* ]]
	[[ "$(head -n 1 conf/rpm-changelog)" == "* "*" Ann Packer <ann@example.net> - "* ]]
	grep -q '%define packager Ann Packer <ann@example.net>$' conf/CPackConfig.cmake
}

@test "the Debian package is for the machine the command was built for" {
	: "${BYTECOPY_BUILD:?set BYTECOPY_BUILD to the build folder}"
	local -A debian=([X86-64]=amd64 [80386]=i386 [AArch64]=arm64 [S/390]=s390x)
	local machine
	machine=$(readelf -h "$BINARY" | sed -n 's/^ *Machine: *.* //p')
	cpack -G DEB --config "$BYTECOPY_BUILD/CPackConfig.cmake" -B "$WORK/package" >/dev/null
	[ "$(dpkg-deb -f package/bytecopy_*.deb Architecture)" = "${debian[$machine]}" ]
}

@test "the binary is position-independent" {
	[ "$BYTECOPY_LINK" != static ] ||
		skip "linked static, not static-pie: the C library has no static PIE start file here"
	run readelf -hW "$BINARY"
	[[ "$output" == *"Type:"*"DYN"* ]]
}

@test "the binary's relocations are read-only once it runs" {
	[ "$BYTECOPY_LINK" != static ] ||
		skip "linked static, not static-pie: there is no dynamic section to bind"
	run readelf -lWd "$BINARY"
	[[ "$output" == *"BIND_NOW"* ]]
	[[ "$output" == *"GNU_RELRO"* ]]
}

@test "the binary's stack is not executable" {
	run readelf -lW "$BINARY"
	[[ "$output" =~ GNU_STACK[^$'\n']*\ RW\  ]]
}

@test "the command's main function has a stack protector" {
	run "${OBJDUMP:-objdump}" -d --no-show-raw-insn "$BINARY"
	[[ "$output" =~ \<main\>:[^$'\n']*($'\n'[^$'\n']+)*\<__stack_chk_fail ]]
}
