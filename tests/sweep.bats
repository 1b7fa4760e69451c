#!/usr/bin/env bats
# Every file system call of a small copy made to fail in turn, with each
# error: no fault may pass as success, and none may leave more than a prefix.

load helper

@test "each injected fault ends with its own status, one line and a prefix" {
	printf abcde >src
	# strace matches an open by the path as written, so the operands are absolute.
	# call, the file it touches, how many such calls a copy makes, status
	local faults=(
		"openat src 1 2" "newfstatat src 1 2"
		"openat out 1 3" "newfstatat out 1 3" "ftruncate out 1 3"
		"read src 6 5" "write out 5 4" "close out 1 4"
	)
	local -A message=(
		[2]="Could not open file $WORK/src for reading"
		[3]="Could not open file $WORK/out for writing"
		[4]="Error writing to file $WORK/out"
		[5]="Error reading from file $WORK/src"
	)
	local fault call file calls want k err
	for fault in "${faults[@]}"; do
		read -r call file calls want <<<"$fault"
		for ((k = 1; k <= calls; k++)); do
			for err in EIO ENOSPC EINTR; do
				rm -f out
				run --separate-stderr inject "$call:error=$err:when=$k" "$WORK/$file" "$WORK/src" "$WORK/out"
				expect "$want" "" "${message[$want]}" || { echo "$call $k $err"; return 1; }
				if [ "$want" = 2 ]; then
					[ ! -e out ]
				else
					[ ! -e out ] || kept "$(stat -c %s out)"
				fi
			done
		done
	done
}
