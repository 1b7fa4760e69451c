#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# Each failing step: its one message line, its status, and what it leaves behind.

load helper

# An existing destination, to be left as it is, and a fresh one, not to be
# made: "untouched" checks both.
destinations() {
	echo keep >dest
	chmod 666 dest
	touch -d 2001-01-01 dest
}
untouched() {
	[ "$(cat dest)" = keep ] || return
	[ "$(stat -c %a:%Y dest)" = "666:$(date -d 2001-01-01 +%s)" ] || return
	[ ! -e fresh ]
}

@test "a source that cannot be opened is status 2 and touches no destination" {
	binding
	destinations
	echo secret >secret
	chmod 000 secret
	for src in missing secret; do
		for dest in dest fresh; do
			result unprivileged "$src" "$dest"
			expect 2 "" "Could not open file $src for reading"
		done
	done
	untouched
}

@test "a directory source is a read error that touches no destination" {
	destinations
	mkdir dir
	for dest in dest fresh; do
		result "$BYTECOPY" dir "$dest"
		expect 5 "" "Error reading from file dir"
	done
	untouched
}

@test "a destination that cannot be created is status 3" {
	binding
	printf x >one
	# Not writable even by its owner, so it binds whoever runs the tests.
	mkdir dir locked
	chmod 555 locked
	for dest in dir nodir/out locked/out; do
		result unprivileged one "$dest"
		expect 3 "" "Could not open file $dest for writing"
	done
	[ -z "$(ls -A locked)" ]
}

@test "a full device is a write error" {
	printf x >src
	result "$BYTECOPY" src /dev/full
	expect 4 "" "Error writing to file /dev/full"
}

@test "the file-size limit is a write error, with the bytes within it kept" {
	head -c 5000 /dev/urandom >src
	for k in 0 1 4096; do
		# The limit binds every file, so the message goes through a pipe;
		# the limit's signal keeps its default, which kills.
		result bash -c 'env --default-signal=XFSZ prlimit --fsize="$0" "$BYTECOPY" src out 2>&1 | cat
			exit "${PIPESTATUS[0]}"' "$k"
		expect 4 "Error writing to file out" ""
		kept "$k"
	done
}

@test "a failed read or write keeps exactly the bytes written before it" {
	head -c 5000 /dev/urandom >src
	# A write that returns 0 has written nothing: it fails too.
	local fault file want line
	for fields in "read:error=EIO|src|5|Error reading from file src" \
		"write:retval=0|out|4|Error writing to file out"; do
		row "$fields" fault file want line
		for k in 0 1 4096; do
			result inject "$fault:when=$((k + 1))" "$WORK/$file" src out
			expect "$want" "" "$line"
			kept "$k"
		done
	done
}
