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

@test "each opened file is compared again, for a name that changed since it was looked at" {
	printf abc >f
	ln f hard
	echo keep >out
	ln out other
	# The look at the name is made to miss; standard output opened by
	# another name keeps its own look out of the way.
	for row in "hard:f $WORK/hard:3:$WORK/hard for writing: same file as source" \
		"out:f $WORK/out 1<>other:3:$WORK/out for writing: same file as standard output" \
		"f:$WORK/f out 1<>hard:2:$WORK/f for reading: same file as standard output"; do
		IFS=: read -r name args want line <<<"$row"
		run --separate-stderr bash -c "inject \"\$BY_NAME:error=ENOENT:when=1\" $WORK/$name $args"
		expect "$want" "" "Could not open file $line"
		[ "$(cat f)" = abc ]
		[ "$(cat out)" = keep ]
	done
}

@test "two files with one inode number on two devices are two files" {
	command -v mount >/dev/null || skip "no mount command here (Debian's mount package)"
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

@test "standard output that is either file is refused, before anything is cut or written" {
	printf abc >src
	cp src orig
	mkfifo ff
	exec 9<>ff # a reader and a writer, so that no open waits
	for row in 'src out >>out:3:out for writing:keep' 'src out 1<>out:3:out for writing:keep' \
		'src /dev/stdout >out:3:/dev/stdout for writing:' 'src out 1<>src:2:src for reading:keep' \
		'src out >>src:2:src for reading:keep' 'ff out >ff:2:ff for reading:keep' \
		'/dev/stdout out | cat:2:/dev/stdout for reading:keep'; do
		IFS=: read -r args want line content <<<"$row"
		echo keep >out
		run --separate-stderr bash -c "timeout 10 \"\$BYTECOPY\" $args"' ; exit "${PIPESTATUS[0]}"'
		expect "$want" "" "Could not open file $line: same file as standard output"
		[ "$(cat out)" = "$content" ]
		cmp src orig
	done
	exec 9>&-
}

@test "a stream that is both standard output and the destination gets the bytes, then the report" {
	printf abc >src
	mkfifo ff
	local report=$'File copied successfully\n3 bytes copied'
	for row in "src /dev/stdout | cat:abc$report" "src ff >ff & cat ff; wait \$!:abc$report" \
		'src /dev/null >/dev/null:' '/dev/stdin out <src >/dev/null; cat out:abc'; do
		run --separate-stderr timeout 10 bash -c "\"\$BYTECOPY\" ${row%%:*}"
		expect 0 "${row#*:}" ""
	done
}

@test "with closed standard streams no report or message lands in either file, and no refusal makes one" {
	head -c 100 /dev/urandom >src
	for streams in '<&-' '>&-' '2>&-' '<&- 2>&-' '>&- 2>&-' '<&- >&- 2>&-'; do
		# A complete copy, and a write or read failing after 10 bytes.
		for row in write:200:0:100 write:11:4:10 read:11:5:10; do
			IFS=: read -r call k want keeps <<<"$row"
			rm -f out
			run traced -o calls -y -e trace=read,write -e "inject=$call:error=EIO:when=$k" -P "$WORK/src" \
				-P "$WORK/out" sh -c "exec \"\$BYTECOPY\" src out $streams"
			[ "$status" = "$want" ] || { echo "$streams $row: $status"; cat calls; return 1; }
			kept "$keeps"
			! grep -q "write([0-9]*<$WORK/src>" calls
		done
	done
}

@test "too few descriptors to keep both files above the streams: refused, and nothing created" {
	[ -z "${BYTECOPY_EMULATOR:-}" ] || skip "the emulator needs descriptors of its own"
	printf x >src
	for row in '4:<&-:3' '3:<&- >&-:2' '4:2>&-:3' '4::3'; do
		IFS=: read -r limit streams want <<<"$row"
		run bare sh -c "exec prlimit --nofile=$limit \"\$BYTECOPY\" src out $streams"
		[ "$status" = "$want" ] || { echo "$row: $status $output"; return 1; }
		kept -1
	done
}

@test "a closed standard stream named as an operand cannot be opened" {
	printf x >src
	echo keep >dest
	for row in '/dev/stdin dest <&-|2|Could not open file /dev/stdin for reading' \
		'/proc/self/fd/0 dest <&-|2|Could not open file /proc/self/fd/0 for reading' \
		'src /dev/stdin <&-|3|Could not open file /dev/stdin for writing' \
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
