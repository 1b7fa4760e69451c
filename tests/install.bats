#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# The installed command, its documents and its package, and the hardening
# of the binary itself.

load helper

@test "an install holds the command and its manual, readable under any umask" {
	: "${BYTECOPY_BUILD:?set BYTECOPY_BUILD to the build folder}"
	mkdir -p staged/usr
	chmod 700 staged/usr
	(umask 077 && DESTDIR=$WORK/staged cmake --install "$BYTECOPY_BUILD" --prefix /usr >/dev/null)
	printf abc >src
	# shellcheck disable=SC2086 # the emulator, if any, is a command line
	run --separate-stderr $BYTECOPY_EMULATOR "$(find staged -name bytecopy -type f)" src out
	expect 0 "File copied successfully
3 bytes copied" ""
	gzip -dc "$(find staged -name bytecopy.1.gz)" | grep -q '^\.Nm bytecopy$'
	[ "$(find staged -type f | wc -l)" = 2 ]
	[ -z "$(find staged/usr/* ! -perm -444 -o -type d ! -perm -555)" ]
	# A folder that was there before keeps its mode.
	[ "$(stat -c %a staged/usr)" = 700 ]
}

@test "the Debian package holds the command and its documents, for the machine it was built for" {
	: "${BYTECOPY_BUILD:?set BYTECOPY_BUILD to the build folder}"
	command -v dpkg-deb >/dev/null || skip "no dpkg-deb here: the Debian package is not made"
	(umask 022 && cpack -G DEB --config "$BYTECOPY_BUILD/CPackConfig.cmake" -B "$WORK/package" >/dev/null)
	run dpkg-deb --contents package/bytecopy_*.deb
	[[ "$output" == *"-rwxr-xr-x root/root"*" ./usr/bin/bytecopy"* ]]
	[[ "$output" == *" ./usr/share/man/man1/bytecopy.1.gz"* ]]
	[[ "$output" == *" ./usr/share/doc/bytecopy/copyright"* ]]
	# A static command's package tells lintian why it is static.
	[[ "$output" == *"-rw-r--r-- root/root"*" ./usr/share/lintian/overrides/bytecopy"* ]] ||
		[ "$BYTECOPY_LINK" = dynamic ]
	local -A debian=([X86-64]=amd64 [80386]=i386 [ARM]=arm [AArch64]=arm64 [PowerPC64]=ppc64el
		[RISC-V]=riscv64 [S/390]=s390x)
	local machine
	machine=$(readelf -h "$BINARY" | sed -n 's/^ *Machine: *.* //p')
	[[ "$(dpkg-deb -f package/bytecopy_*.deb Architecture)" == "${debian[$machine]}"* ]]
}

@test "the binary is hardened" {
	run "${OBJDUMP:-objdump}" -d --no-show-raw-insn "$BINARY"
	[[ "$output" =~ \<main\>:[^$'\n']*($'\n'[^$'\n']+)*\<__stack_chk_fail ]]
	run readelf -hlWd "$BINARY"
	[[ "$output" =~ GNU_STACK[^$'\n']*\ RW\  ]]
	# A PIE with read-only relocations, but for a C library with no static PIE.
	[ "$BYTECOPY_LINK" = static ] || [[ "$output" == *"Type:"*"DYN"*"GNU_RELRO"*"BIND_NOW"* ]]
}
