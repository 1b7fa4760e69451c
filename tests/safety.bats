#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# What keeps a copy from destroying data, hanging, or reporting a loss as success.

load helper

@test "the source under any other name is refused, never truncated" {
	head -c 100 /dev/urandom >f
	cp f orig
	ln f hard
	ln -s f sym
	for dest in f ./f "$WORK/f" hard sym; do
		run --separate-stderr "$BYTECOPY" f "$dest"
		expect 3 "" "Could not open file $dest for writing: same file as source"
		cmp f orig
	done
	run --separate-stderr "$BYTECOPY" sym f
	expect 3 "" "Could not open file f for writing: same file as source"
	cmp f orig
}

@test "one FIFO or pipe as both operands is refused; two FIFOs copy" {
	mkfifo ff a b
	exec 9<>ff # a writer, so that opening it does not wait
	run --separate-stderr timeout 10 "$BYTECOPY" ff ff
	exec 9>&-
	expect 3 "" "Could not open file ff for writing: same file as source"
	for dest in /dev/stdin /proc/self/fd/0; do
		run --separate-stderr bash -c 'printf x | timeout 10 "$0" /dev/stdin "$1"' "$BYTECOPY" "$dest"
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

@test "a destination that is not a regular file is written, not cut" {
	run --separate-stderr "$BYTECOPY" /dev/null /dev/null
	expect 0 "File copied successfully
0 bytes copied" ""

	echo old >out
	run --separate-stderr inject ftruncate:error=EIO "$WORK/out" /dev/null out
	expect 3 "" "Could not open file out for writing"
	[ "$(cat out)" = old ]
}

@test "a failed close of the destination is a write error" {
	printf abc >src
	run --separate-stderr inject close:error=EIO "$WORK/out" src out
	expect 4 "" "Error writing to file out"
}

@test "closed standard streams never receive a file, so no text lands in one" {
	head -c 100 /dev/urandom >src
	for streams in '>&-' '2>&-' '>&- 2>&-' '<&- >&- 2>&-'; do
		rm -f out
		run bash -c "\"\$0\" src out $streams" "$BYTECOPY"
		[ "$status" = 0 ]
		cmp src out
		run bash -c "\"\$0\" /proc/self/mem out $streams" "$BYTECOPY"
		[ "$status" = 5 ]
		[ ! -s out ]
	done
	run --separate-stderr bash -c 'inject open,openat:error=ENOENT /dev/null src new >&-'
	expect 1 "" "Could not open file /dev/null"
	[ ! -e new ]
}

@test "a reader that leaves is a write error; a broken standard output is not" {
	head -c 200000 /dev/urandom >src
	mkfifo fifo
	timeout 10 head -c 1 fifo >/dev/null &
	run --separate-stderr timeout 10 env --default-signal=PIPE "$BYTECOPY" src fifo
	wait
	expect 4 "" "Error writing to file fifo"

	# A pipe with no reader left on standard output.
	mkfifo report
	# shellcheck disable=SC2094 # opened twice on purpose, then the reader is dropped
	exec 7<>report 8>report 7<&-
	run --separate-stderr bash -c 'exec env --default-signal=PIPE "$0" src out >&8' "$BYTECOPY"
	exec 8>&-
	[ "$status" = 0 ]
	[ -z "$stderr" ]
	cmp src out
}
