#!/usr/bin/env bats
# What keeps a copy from destroying data or reporting a loss as success.

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

@test "a destination that is not a regular file is written, not cut" {
	run --separate-stderr "$BYTECOPY" /dev/null /dev/null
	expect 0 "File copied successfully
0 bytes copied" ""

	echo old >out
	run --separate-stderr inject ftruncate:error=EIO "$WORK/out" /dev/null out
	expect 3 "" "Could not open file out for writing"
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
		run bash -c "\"\$0\" . out $streams" "$BYTECOPY"
		[ "$status" = 5 ]
		[ ! -s out ]
	done
	run bash -c 'inject openat:error=ENOENT /dev/null src new >&-'
	[ "$status" = 1 ]
	[ ! -e new ]
}

@test "a reader that leaves is a write error; a broken standard output is not" {
	head -c 200000 /dev/urandom >src
	mkfifo fifo
	head -c 1 fifo >/dev/null &
	run --separate-stderr env --default-signal=PIPE "$BYTECOPY" src fifo
	wait
	expect 4 "" "Error writing to file fifo"

	# A pipe with no reader left on standard output.
	mkfifo report
	# shellcheck disable=SC2094 # opened twice on purpose, then the reader is dropped
	exec 7<>report 8>report 7<&-
	run --separate-stderr bash -c 'exec env --default-signal=PIPE "$0" src out >&8' "$BYTECOPY"
	exec 8>&-
	expect 0 "" ""
	cmp src out
}
