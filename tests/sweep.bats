#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# Every file system call of a small copy made to fail in turn, with each
# error: no fault may pass as a failed copy's success, and none may leave more
# than the bytes written before it.

load helper

@test "each injected fault ends with its own status, one line and a prefix" {
	printf abcde >src
	# strace matches a call by the path as written, so the operands are
	# absolute; the calls are named by class and pattern, so that the
	# table holds whatever each machine and C library call them.
	# Each row: calls, the file they touch, which of them fail (strace's
	# when=, k below), the errors, the status, and the bytes the
	# destination keeps (-1 for no destination at all).
	local faults=(
		# Each name is looked at before it is opened, the destination's
		# again once the source is open; a failed look leaves the opened
		# file's own look to compare.
		"$BY_NAME|src|1|EIO,ENOSPC,EINTR|0|5"
		"/^open|src|1|EIO,ENOSPC,EINTR|2|-1"
		"%%stat|src|1+|EIO,ENOSPC,EINTR|2|-1"
		"$BY_NAME|out|1,2|EIO,ENOSPC,EINTR|0|5"
		"/^open|out|1|EIO,ENOSPC,EINTR|3|-1"
		"%%stat|out|1+|EIO,ENOSPC,EINTR|3|0"
		"/^ftruncate|out|1|EIO,ENOSPC,EINTR|3|0"
		"read|src|1,2,3,4,5,6|EIO,ENOSPC,EINTR|5|k-1"
		"write|out|1,2,3,4,5|EIO,ENOSPC,EINTR|4|k-1"
		# Linux releases the descriptor even when close fails, and musl
		# reports an interrupted close as done; with no handler installed,
		# no signal can interrupt it for real.
		"close|out|1|EIO,ENOSPC|4|5"
	)
	# (Not stdout and stderr: run sets those.)
	local -A said_out=([0]="File copied successfully
5 bytes copied")
	local -A said_err=(
		[2]="Could not open file $WORK/src for reading"
		[3]="Could not open file $WORK/out for writing"
		[4]="Error writing to file $WORK/out"
		[5]="Error reading from file $WORK/src"
	)
	local fault call file ks errors want keeps k err
	for fault in "${faults[@]}"; do
		row "$fault" call file ks errors want keeps
		for k in ${ks//,/ }; do
			for err in ${errors//,/ }; do
				rm -f out
				result inject "$call:error=$err:when=$k" "$WORK/$file" "$WORK/src" "$WORK/out"
				expect "$want" "${said_out[$want]}" "${said_err[$want]}" || {
					echo "$call $k $err"
					return 1
				}
				kept "$((keeps))" || {
					echo "$call $k $err: out is not what it should be"
					return 1
				}
			done
		done
	done
}
