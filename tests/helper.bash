# SPDX-License-Identifier: MIT
# Shared by every suite: each test runs in a fresh folder that an
# unprivileged user may enter and write, with $BYTECOPY the command under
# test (build/bytecopy unless set) and $BUILD the folder it was built in.

bats_require_minimum_version 1.5.0

# cached NAME: the value of NAME in the build's CMake cache, if any.
cached() {
	sed -n "s/^$1:[A-Z]*=//p" "$BUILD/CMakeCache.txt" 2>/dev/null || :
}

setup() {
	: "${BYTECOPY:=$BATS_TEST_DIRNAME/../build/bytecopy}"
	BUILD=$(cd "$(dirname "$BYTECOPY")" && pwd) || return
	EMULATOR=$(cached CMAKE_CROSSCOMPILING_EMULATOR)
	umask 022
	WORK=$(mktemp -d "${TMPDIR:-/tmp}/bytecopy.XXXXXX")
	chmod 777 "$WORK"
	# The command is copied where an unprivileged user may run it, and
	# $BYTECOPY runs that copy, through the emulator wherever one is set.
	mkdir -m 755 "$WORK.bin"
	BINARY=$WORK.bin/bytecopy.elf
	cp "$BYTECOPY" "$BINARY"
	BYTECOPY=$BINARY
	if [ -n "$EMULATOR" ]; then
		BYTECOPY=$WORK.bin/bytecopy
		printf '#!/bin/sh\nexec %s "%s" "$@"\n' "$EMULATOR" "$BINARY" >"$BYTECOPY"
		chmod 755 "$BYTECOPY"
	fi
	export BYTECOPY
	cd "$WORK" || return
}

teardown() {
	if [ -e "$WORK.loops" ]; then
		xargs -r losetup -d <"$WORK.loops"
	fi
	rm -rf "$WORK" "$WORK.bin" "$WORK.loops"
}

# loop NAME: NAME, a new file of 64 KiB, is set up as a loop device, which
# DEVICE then names, with a second node of it at NAME.node; the test skips
# where no loop device can be had (not root, fakeroot, no losetup).
loop() {
	local device major minor
	truncate -s 64K "$1"
	device=$(losetup -f --show "$1" 2>/dev/null) || skip "no loop device can be set up here"
	echo "$device" >>"$WORK.loops"
	read -r major minor < <(stat -c '%t %T' "$device")
	mknod "$1.node" b $((16#$major)) $((16#$minor))
	export DEVICE=$device
}

# row ROW NAME...: the fields of ROW, a table's row, split at each | into
# the NAMEs; a field may hold any byte but | (newlines too).
row() {
	local fields=$1
	shift
	IFS='|' read -r -d '' "$@" < <(printf '%s|' "$fields") || :
}

# result ARGS...: ARGS run, with its status in $status and every byte of
# its standard output and error kept apart, for expect. Standard output is
# a pipe, read to its end, so whatever ARGS start to write into it is in.
result() {
	{
		status=0
		"$@" 2>"$WORK.bin/stderr" || status=$?
		echo "$status" >"$WORK.bin/status"
	} | cat >"$WORK.bin/stdout"
	status=$(cat "$WORK.bin/status")
}

# expect STATUS STDOUT STDERR: the last result ended so, to the byte: each
# stream holds its text and a newline, or nothing where the text is empty.
expect() {
	local out=${2:+$2$'\n'} err=${3:+$3$'\n'}
	if [ "$status" = "$1" ] && cmp -s <(printf %s "$out") "$WORK.bin/stdout" &&
		cmp -s <(printf %s "$err") "$WORK.bin/stderr"; then
		return 0
	fi
	printf 'wanted status %s, stdout %q, stderr %q\n' "$1" "$out" "$err"
	echo "got    status $status, stdout and stderr:"
	head -c 1000 "$WORK.bin/stdout" | od -c
	head -c 1000 "$WORK.bin/stderr" | od -c
	return 1
}

# kept N: out holds exactly the first N bytes of src; kept -1: there is no
# out at all. (Each check stands alone: a failure on the left of && would
# not fail the test.)
kept() {
	[ "$1" != -1 ] || {
		[ ! -e out ]
		return
	}
	[ "$(stat -c %s out)" = "$1" ] || return
	cmp -n "$1" src out
}

# binding: skips the test unless permissions bind the user running the tests
# or uid 65534, where that user may become it; a file closed to everyone
# tells (root reads it, and so does fakeroot's user).
# unprivileged ARGS...: then, the command as that user.
binding() {
	local closed=$WORK.bin/closed
	: >"$closed"
	chmod 000 "$closed"
	AS=()
	cat "$closed" 2>/dev/null || return 0
	AS=(setpriv --reuid=65534 --regid=65534 --clear-groups)
	if ! "${AS[@]}" true 2>/dev/null || "${AS[@]}" cat "$closed" 2>/dev/null; then
		skip "permissions bind neither this user nor one it may become (fakeroot?)"
	fi
}
unprivileged() {
	"${AS[@]}" "$BYTECOPY" "$@"
}

# bare ARGS...: ARGS, with no descriptor open but the standard streams.
bare() (
	local fd
	for fd in /proc/"$BASHPID"/fd/*; do
		fd=${fd##*/}
		[ "$fd" -le 2 ] || eval "exec $fd>&-"
	done
	"$@"
)

# named NAME ARGS...: the command, invoked by the name NAME.
named() {
	local name=$1
	shift
	if [ -n "$EMULATOR" ]; then
		# shellcheck disable=SC2086 # the emulator is a command line
		$EMULATOR -0 "$name" "$BINARY" "$@"
	else
		(exec -a "$name" "$BINARY" "$@")
	fi
}

# The system calls that look at a file by its name. Some C libraries make
# the same call to look at an open descriptor, but only after the name's:
# its first call is the look at the name, wherever the command runs.
# (strace counts each system call on its own for when=, and passes over
# the names marked ? that a machine lacks.)
export BY_NAME='?stat,?stat64,?newfstatat,?fstatat64,?statx'

# traced STRACE-ARGS...: strace on a command, with its own lines off. A
# sanitized build's leak checker cannot run under a tracer, so it is off there.
traced() {
	ASAN_OPTIONS=detect_leaks=0 strace -f -qq "$@"
}

# inject FAULT PATH ARGS...: the command, with strace making FAULT (an
# inject= value) happen to the system calls on PATH.
inject() {
	local fault=$1 path=$2
	shift 2
	traced -o /dev/null -e inject="$fault" -P "$path" "$BYTECOPY" "$@"
}
export -f traced inject
