#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# Each failing step: its one message line, its status, and what it leaves behind.

load helper

@test "a source that cannot be opened or is a directory leaves the destination untouched" {
	echo keep >dest
	chmod 666 dest
	touch -d 2001-01-01 dest
	echo secret >secret
	chmod 000 secret
	mkdir dir
	for src in missing secret dir; do
		local want="Could not open file $src for reading" code=2
		[ "$src" != dir ] || want="Error reading from file $src" code=5
		for dest in dest fresh; do
			run --separate-stderr unprivileged "$src" "$dest"
			expect "$code" "" "$want"
		done
	done
	[ "$(cat dest)" = keep ]
	[ "$(stat -c %a:%Y dest)" = "666:$(date -d 2001-01-01 +%s)" ]
	[ ! -e fresh ]
}

@test "a destination that cannot be created is status 3" {
	printf x >one
	# Not writable even by its owner, so it binds whoever runs the tests.
	mkdir dir locked
	chmod 555 locked
	for dest in dir nodir/out locked/out; do
		run --separate-stderr unprivileged one "$dest"
		expect 3 "" "Could not open file $dest for writing"
	done
	[ -z "$(ls -A locked)" ]
}

@test "read and write failures keep exactly the bytes written before them" {
	head -c 5000 /dev/urandom >src
	echo old >out

	# A source that opens but cannot be read is found out only by reading.
	run --separate-stderr "$BYTECOPY" /proc/self/mem out
	expect 5 "" "Error reading from file /proc/self/mem"
	[ ! -s out ]

	run --separate-stderr "$BYTECOPY" src /dev/full
	expect 4 "" "Error writing to file /dev/full"

	for k in 0 1 4096; do
		# The size limit binds every file, so the message goes through a
		# pipe; the limit's signal keeps its default, which kills.
		run bash -c 'env --default-signal=XFSZ prlimit --fsize="$1" "$0" src out 2>&1 | cat
			exit "${PIPESTATUS[0]}"' "$BYTECOPY" "$k"
		[ "$status" = 4 ]
		[ "$output" = "Error writing to file out" ]
		kept "$k"

		run --separate-stderr inject "read:error=EIO:when=$((k + 1))" "$WORK/src" src out
		expect 5 "" "Error reading from file src"
		kept "$k"

		run --separate-stderr inject "write:retval=0:when=$((k + 1))" "$WORK/out" src out
		expect 4 "" "Error writing to file out"
		kept "$k"
	done
}
