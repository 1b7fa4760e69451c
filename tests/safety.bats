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
}

@test "the source is refused before it is opened for writing, which it may not be" {
	binding
	printf abc >f
	chmod 444 f
	ln -s f sym
	for pair in "f f" "sym f" "f sym"; do
		# shellcheck disable=SC2086 # a pair of operands
		run --separate-stderr unprivileged $pair
		expect 3 "" "Could not open file ${pair#* } for writing: same file as source"
	done
	[ "$(cat f)" = abc ]
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

@test "one FIFO or pipe as both operands is refused" {
	mkfifo ff
	exec 9<>ff # a writer, so that opening it does not wait
	run --separate-stderr timeout 10 "$BYTECOPY" ff ff
	exec 9>&-
	expect 3 "" "Could not open file ff for writing: same file as source"
	for dest in /dev/stdin /proc/self/fd/0; do
		run --separate-stderr bash -c 'printf x | timeout 10 "$BYTECOPY" /dev/stdin "$0"' "$dest"
		expect 3 "" "Could not open file $dest for writing: same file as source"
	done
}

@test "two FIFOs are two files" {
	mkfifo a b
	timeout 10 sh -c 'printf abc >a' &
	timeout 10 cat b >got &
	run --separate-stderr timeout 10 "$BYTECOPY" a b
	wait
	expect 0 "File copied successfully
3 bytes copied" ""
	[ "$(cat got)" = abc ]
}

@test "a destination that is not a regular file is written, not cut" {
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

@test "a copy with closed standard streams writes the destination alone" {
	head -c 100 /dev/urandom >src
	for streams in '>&-' '2>&-' '>&- 2>&-' '<&- >&- 2>&-'; do
		rm -f out
		run bash -c "\"\$BYTECOPY\" src out $streams"
		[ "$status" = 0 ]
		cmp src out
	done
}

@test "a failure with closed standard streams writes no message into the destination" {
	for streams in '>&-' '2>&-' '>&- 2>&-' '<&- >&- 2>&-'; do
		rm -f out
		run bash -c "\"\$BYTECOPY\" /proc/self/mem out $streams"
		[ "$status" = 5 ]
		[ -e out ]
		[ ! -s out ]
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

@test "a message to a standard error with no reader is no death" {
	printf x >src
	mkfifo gone
	for row in "1|" "2|missing out"; do
		# shellcheck disable=SC2094 # opened twice on purpose, then the reader is dropped
		exec 7<>gone 8>gone 7<&-
		run env --default-signal=PIPE bash -c "\"\$BYTECOPY\" ${row#*|} 2>&8"
		exec 8>&-
		[ "$status" = "${row%|*}" ]
	done
}

@test "a reader that leaves is a write error" {
	head -c 200000 /dev/urandom >src
	mkfifo fifo
	timeout 10 head -c 1 fifo >/dev/null &
	run --separate-stderr timeout 10 env --default-signal=PIPE "$BYTECOPY" src fifo
	wait
	expect 4 "" "Error writing to file fifo"
}

@test "a broken standard output does not fail a complete copy" {
	head -c 1000 /dev/urandom >src
	# A pipe with no reader left on standard output.
	mkfifo report
	# shellcheck disable=SC2094 # opened twice on purpose, then the reader is dropped
	exec 7<>report 8>report 7<&-
	run --separate-stderr bash -c 'exec env --default-signal=PIPE "$BYTECOPY" src out >&8'
	exec 8>&-
	expect 0 "" ""
	cmp src out
}
