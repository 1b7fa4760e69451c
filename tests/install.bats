#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# The installed command and its manual, and the binary itself: its
# hardening, sanitizers, size and system calls.

load helper

# link: the binary's link, dynamic, static-pie or static.
link() {
	if readelf -lW "$BINARY" | grep -q INTERP; then
		echo dynamic
	elif readelf -hW "$BINARY" | grep -q 'Type: *DYN'; then
		echo static-pie
	else
		echo static
	fi
}

@test "an install holds the command and its manual, readable under any umask" {
	mkdir -p staged/usr
	chmod 700 staged/usr
	(umask 077 && DESTDIR=$WORK/staged cmake --install "$BUILD" --prefix /usr >/dev/null)
	printf abc >src
	# shellcheck disable=SC2086 # the emulator, if any, is a command line
	result $EMULATOR staged/usr/bin/bytecopy src out
	expect 0 "File copied successfully
3 bytes copied" ""
	gzip -dc staged/usr/share/man/man1/bytecopy.1.gz | grep -q '^\.Nm bytecopy$'
	[ "$(find staged -type f | wc -l)" = 2 ]
	[ -z "$(find staged/usr/* ! -perm -444 -o -type d ! -perm -555)" ]
	# A folder that was there before keeps its mode.
	[ "$(stat -c %a staged/usr)" = 700 ]
}

@test "an install into a relative folder ends, and puts the files where CMake says" {
	local destdir prefix file
	for fields in "stage|/usr|stage/usr/bin/bytecopy" "|relp|relp/bin/bytecopy" \
		"stage|relp|stage$WORK/relp/bin/bytecopy"; do
		row "$fields" destdir prefix file
		(umask 077 && DESTDIR=$destdir timeout 60 cmake --install "$BUILD" --prefix "$prefix" >/dev/null)
		[ -x "$file" ] || {
			echo "$fields: no $file"
			find . -type f
			return 1
		}
		[ -z "$(find "${file%%/*}" -type d ! -perm 755)" ]
		rm -rf stage relp
	done
}

@test "the binary is hardened" {
	# A dynamic binary calls the stack protector's handler through a
	# relocation, which only the command's own code needs; a static one
	# calls it from main by name.
	local link
	link=$(link)
	if [ "$link" = dynamic ]; then
		readelf -rW "$BINARY" | grep -q ' __stack_chk_fail'
	else
		run "$(cached CMAKE_OBJDUMP)" -d --no-show-raw-insn "$BINARY"
		[[ "$output" =~ \<main\>:[^$'\n']*($'\n'[^$'\n']+)*\<__stack_chk_fail ]]
	fi
	run readelf -hlWd "$BINARY"
	[[ "$output" =~ GNU_STACK[^$'\n']*\ RW\  ]]
	# A PIE with read-only relocations, but for a C library with no static PIE.
	[ "$link" = static ] || [[ "$output" == *"Type:"*"DYN"*"GNU_RELRO"*"BIND_NOW"* ]]
}

@test "a sanitized build carries AddressSanitizer and UndefinedBehaviorSanitizer" {
	[ "$(cached BYTECOPY_SANITIZE)" = ON ] || skip "not a sanitized build"
	run nm "$BINARY"
	[[ "$output" == *" __asan_init"* ]]
	[[ "$output" == *" __ubsan_handle_"* ]]
}

@test "a static musl binary is at most 64 KiB of code and data" {
	# glibc marks its binaries with an ABI note; musl does not.
	[ "$(link)" != dynamic ] && ! readelf -n "$BINARY" | grep -q NT_GNU_ABI_TAG ||
		skip "not linked statically against musl"
	(($(size "$BINARY" | awk 'NR == 2 { print $4 }') <= 65536))
}

@test "a copy costs at most 20 system calls beyond the bare loop's" {
	local calls floor
	[ -z "$EMULATOR" ] || skip "strace would count the emulator's own calls"
	[ "$(cached BYTECOPY_SANITIZE)" != ON ] || skip "the sanitizers' run time makes calls of its own"
	head -c 1000 /dev/urandom >src
	# Without a preloaded library, such as fakeroot's, which makes calls of its own.
	traced -E LD_PRELOAD -c -U calls -o floor.calls "$BUILD/floor" src out
	traced -E LD_PRELOAD -c -U calls -o bytecopy.calls "$BYTECOPY" src out >/dev/null
	# A 32-bit program's calls are counted apart from its 64-bit exec's.
	calls=$(awk '/total/ { n += $1 } END { print n }' bytecopy.calls)
	floor=$(awk '/total/ { n += $1 } END { print n }' floor.calls)
	((calls <= floor + 20))
}
