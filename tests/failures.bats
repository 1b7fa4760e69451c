#!/usr/bin/env bats
# Each failing step: its one message line, its status, and what it leaves behind.

load helper

@test "a source that cannot be opened leaves the destination untouched" {
	echo keep >dest
	chmod 666 dest
	touch -d 2001-01-01 dest
	echo secret >secret
	chmod 000 secret
	run --separate-stderr "$BYTECOPY" missing dest
	expect 2 "" "Could not open file missing for reading"
	run --separate-stderr unprivileged secret dest
	expect 2 "" "Could not open file secret for reading"
	run --separate-stderr unprivileged secret fresh
	expect 2 "" "Could not open file secret for reading"
	[ "$(cat dest)" = keep ]
	[ "$(stat -c %Y dest)" = "$(date -d 2001-01-01 +%s)" ]
	[ ! -e fresh ]
}

@test "a destination that cannot be created is status 3" {
	printf x >one
	mkdir dir locked
	chmod 755 locked
	for dest in dir nodir/out locked/out; do
		run --separate-stderr unprivileged one "$dest"
		expect 3 "" "Could not open file $dest for writing"
	done
	[ -z "$(ls -A locked)" ]
}

@test "read and write failures keep exactly the bytes written before them" {
	head -c 5000 /dev/urandom >src
	echo old >out

	run --separate-stderr "$BYTECOPY" . out
	expect 5 "" "Error reading from file ."
	[ ! -s out ]

	run --separate-stderr "$BYTECOPY" src /dev/full
	expect 4 "" "Error writing to file /dev/full"

	for k in 0 1 4096; do
		# The size limit binds every file, so the message goes through a pipe.
		run bash -c 'env --ignore-signal=XFSZ prlimit --fsize="$1" "$0" src out 2>&1 | cat
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
