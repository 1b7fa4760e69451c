#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# Every file system call of a small copy made to fail in turn, with each
# error: no fault may pass as success, and none may leave more than the
# bytes written before it.

load helper

@test "each injected fault ends with its own status, one line and a prefix" {
	printf abcde >src
	# strace matches an open by the path as written, so the operands are
	# absolute. Each C library names its open and fstat calls its own way.
	# calls, the file they touch, how many a copy makes, status, and the
	# bytes the destination keeps after the k-th fails (- for none at all)
	local faults=(
		"open,openat src 1 2 -" "fstat,newfstatat src 1 2 -"
		"open,openat out 1 3 -" "fstat,newfstatat out 1 3 0" "ftruncate out 1 3 0"
		"read src 6 5 k-1" "write out 5 4 k-1" "close out 1 4 5"
	)
	local -A message=(
		[2]="Could not open file $WORK/src for reading"
		[3]="Could not open file $WORK/out for writing"
		[4]="Error writing to file $WORK/out"
		[5]="Error reading from file $WORK/src"
	)
	local fault call file calls want keeps k err
	for fault in "${faults[@]}"; do
		read -r call file calls want keeps <<<"$fault"
		for ((k = 1; k <= calls; k++)); do
			for err in EIO ENOSPC EINTR; do
				# musl takes an interrupted close as done, since Linux has
				# released the descriptor either way; with no handler
				# installed, no signal can interrupt it for real.
				[ "$call $err" != "close EINTR" ] || continue
				rm -f out
				run --separate-stderr inject "$call:error=$err:when=$k" "$WORK/$file" "$WORK/src" "$WORK/out"
				expect "$want" "" "${message[$want]}" || { echo "$call $k $err"; return 1; }
				if [ "$keeps" = - ]; then
					[ ! -e out ]
				else
					kept "$((keeps))"
				fi
			done
		done
	done
}
