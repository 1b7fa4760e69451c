#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# What keeps a copy from destroying data, hanging, or reporting a loss as success.

load helper

@test "the source under any other name is refused, never truncated nor opened for writing" {
	head -c 100 /dev/urandom >f
	cp f orig
	ln f hard
	ln -s f sym
	for pair in "f f" "f ./f" "f $WORK/f" "f hard" "f sym" "sym f"; do
		# shellcheck disable=SC2086 # a pair of operands
		run --separate-stderr traced -o opens -e trace=/^open "$BYTECOPY" $pair
		expect 3 "" "Could not open file ${pair#* } for writing: same file as source"
		cmp f orig
		[ "$(grep -cE 'O_WRONLY|O_RDWR' opens)" = 0 ]
	done
	# A running program may not be opened for writing by anyone.
	run --separate-stderr "$BYTECOPY" /proc/self/exe /proc/self/exe
	expect 3 "" "Could not open file /proc/self/exe for writing: same file as source"
}

@test "the opened destination is compared again, for a name that changed since it was looked at" {
	printf abc >f
	ln f hard
	run --separate-stderr inject "$BY_NAME:error=ENOENT:when=1" "$WORK/hard" f "$WORK/hard"
	expect 3 "" "Could not open file $WORK/hard for writing: same file as source"
	[ "$(cat f)" = abc ]
}

@test "two files with one inode number on two devices are two files" {
	local ns=(unshare -m)
	"${ns[@]}" true 2>/dev/null || ns=(unshare -rm)
	"${ns[@]}" true 2>/dev/null || skip "no mount namespace can be made here"
	mkdir a b
	# Each new tmpfs numbers its first file 2.
	run --separate-stderr "${ns[@]}" sh -c 'mount -t tmpfs none a && mount -t tmpfs none b &&
		printf new >a/f && printf older >b/f && [ "$(stat -c %i a/f)" = "$(stat -c %i b/f)" ] &&
		"$0" a/f b/f && cat b/f' "$BYTECOPY"
	expect 0 "File copied successfully
3 bytes copied
new" ""
}

@test "one FIFO or pipe as both operands is refused, two FIFOs are two files" {
	mkfifo ff a b
	exec 9<>ff # a writer, so that opening it does not wait
	run --separate-stderr timeout 10 "$BYTECOPY" ff ff
	exec 9>&-
	expect 3 "" "Could not open file ff for writing: same file as source"
	for dest in /dev/stdin /proc/self/fd/0; do
		run --separate-stderr bash -c 'printf x | timeout 10 "$BYTECOPY" /dev/stdin "$0"' "$dest"
		expect 3 "" "Could not open file $dest for writing: same file as source"
	done
	timeout 10 sh -c 'printf abc >a' &
	timeout 10 cat b >got &
	run --separate-stderr timeout 10 "$BYTECOPY" a b
	wait
	expect 0 "File copied successfully
3 bytes copied" ""
	[ "$(cat got)" = abc ]
}

@test "a character device may be both operands, and is never cut" {
	run --separate-stderr "$BYTECOPY" /dev/null /dev/null
	expect 0 "File copied successfully
0 bytes copied" ""
}

@test "a destination that cannot be cut keeps its content" {
	echo old >out
	run --separate-stderr inject /^ftruncate:error=EIO "$WORK/out" /dev/null out
	expect 3 "" "Could not open file out for writing"
	[ "$(cat out)" = old ]
}

@test "with closed standard streams the report or message never lands in the destination" {
	head -c 100 /dev/urandom >src
	: >empty
	for streams in '>&-' '2>&-' '>&- 2>&-' '<&- >&- 2>&-'; do
		# A complete copy, and a read error after the destination is cut.
		for row in src:0 /proc/self/mem:5; do
			run bash -c "\"\$BYTECOPY\" ${row%:*} out $streams"
			[ "$status" = "${row#*:}" ]
			cmp "$([ "$status" = 0 ] && echo src || echo empty)" out
		done
	done
}

@test "a closed standard stream named as an operand cannot be opened" {
	printf x >src
	echo keep >dest
	for row in '/dev/stdin dest <&-|2|Could not open file /dev/stdin for reading' \
		'/proc/self/fd/0 dest <&-|2|Could not open file /proc/self/fd/0 for reading' \
		'src /dev/stdout >&-|3|Could not open file /dev/stdout for writing' \
		'src /dev/stderr 2>&-|3|' '/dev/null dest <&- >&-|0|'; do
		IFS='|' read -r args want line <<<"$row"
		run --separate-stderr bash -c "\"\$BYTECOPY\" $args"
		expect "$want" "" "$line"
		[ "$(cat dest)" = keep ] || [ "$want" = 0 ]
	done
	[ ! -s dest ]
}

@test "a reader that leaves is a write error" {
	head -c 200000 /dev/urandom >src
	mkfifo fifo
	timeout 10 head -c 1 fifo >/dev/null &
	run --separate-stderr timeout 10 env --default-signal=PIPE "$BYTECOPY" src fifo
	wait
	expect 4 "" "Error writing to file fifo"
}

@test "a standard output or error with no reader is no death, nor a failed copy" {
	head -c 1000 /dev/urandom >src
	mkfifo gone
	for row in "1|2>&8" "2|missing out 2>&8" "0|src out >&8"; do
		# shellcheck disable=SC2094 # opened twice on purpose, then the reader is dropped
		exec 7<>gone 8>gone 7<&-
		run env --default-signal=PIPE bash -c "\"\$BYTECOPY\" ${row#*|}"
		exec 8>&-
		[ "$status" = "${row%|*}" ]
	done
	cmp src out
}
