#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# The installed command and its manual, and the binary itself: its
# hardening, size and system calls.

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

@test "the binary is hardened" {
	# A dynamic binary calls the stack protector's handler through a
	# relocation, which only the command's own code needs; a static one
	# calls it from main by name.
	if [ "$BYTECOPY_LINK" = dynamic ]; then
		readelf -rW "$BINARY" | grep -q ' __stack_chk_fail'
	else
		run "${OBJDUMP:-objdump}" -d --no-show-raw-insn "$BINARY"
		[[ "$output" =~ \<main\>:[^$'\n']*($'\n'[^$'\n']+)*\<__stack_chk_fail ]]
	fi
	run readelf -hlWd "$BINARY"
	[[ "$output" =~ GNU_STACK[^$'\n']*\ RW\  ]]
	# A PIE with read-only relocations, but for a C library with no static PIE.
	[ "$BYTECOPY_LINK" = static ] || [[ "$output" == *"Type:"*"DYN"*"GNU_RELRO"*"BIND_NOW"* ]]
}

@test "a copy costs at most 20 system calls beyond the bare loop's, and a static musl binary 64 KiB" {
	# Code, data and zeroed data: what it takes in memory.
	[[ "$BYTECOPY_TRIPLET" != *musl* ]] || (($(size "$BINARY" | awk 'NR == 2 { print $4 }') <= 65536))
	[ -z "${BYTECOPY_EMULATOR:-}" ] || skip "strace would count the emulator's own calls"
	: "${BYTECOPY_BUILD:?set BYTECOPY_BUILD to the build folder}"
	head -c 1000 /dev/urandom >src
	traced -c -U calls -o floor.calls "$BYTECOPY_BUILD/floor" src out
	traced -c -U calls -o bytecopy.calls "$BYTECOPY" src out >/dev/null
	(($(awk '/total/ { print $1 }' bytecopy.calls) <=
		$(awk '/total/ { print $1 }' floor.calls) + 20))
}
