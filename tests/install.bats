#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# The installed command, its documents and its package, and the hardening
# of the binary itself.

load helper

@test "the install tree and the Debian package hold the command and its documents" {
	: "${BYTECOPY_BUILD:?set BYTECOPY_BUILD to the build folder}"
	cmake --install "$BYTECOPY_BUILD" --prefix "$WORK/prefix" >/dev/null
	printf abc >src
	run --separate-stderr prefix/bin/bytecopy src out
	expect 0 "File copied successfully
3 bytes copied" ""
	gzip -dc prefix/share/man/man1/bytecopy.1.gz | grep -q '^\.Nm bytecopy$'
	grep -q '^License: Expat$' prefix/share/doc/bytecopy/copyright
	gzip -dc prefix/share/doc/bytecopy/changelog.gz | grep -q '^bytecopy (.*) unstable'

	(umask 077 && cpack -G DEB --config "$BYTECOPY_BUILD/CPackConfig.cmake" -B "$WORK/package" >/dev/null)
	run dpkg-deb --contents package/bytecopy_*.deb
	[[ "$output" == *"-rwxr-xr-x root/root"*" ./usr/bin/bytecopy"* ]]
	[[ "$output" == *" ./usr/share/man/man1/bytecopy.1.gz"* ]]
	[[ "$output" == *" ./usr/share/doc/bytecopy/copyright"* ]]
	[[ "$output" != *drwx------* ]]
}

@test "the binary is a hardened position-independent executable" {
	run readelf -hlWd "$BYTECOPY"
	[[ "$output" == *"Type:"*"DYN"* ]]
	[[ "$output" == *"BIND_NOW"* ]]
	[[ "$output" == *"GNU_RELRO"* ]]
	[[ "$output" =~ GNU_STACK[^$'\n']*\ RW\  ]]
	run objdump -d --no-show-raw-insn "$BYTECOPY"
	[[ "$output" =~ \<main\>:[^$'\n']*($'\n'[^$'\n']+)*call[^$'\n']*\<__stack_chk_fail ]]
}
