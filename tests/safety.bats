#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# What keeps a copy from destroying data, hanging, or reporting a loss as success.

load helper

@test "the source under any other name is refused, never truncated nor opened for writing" {
	local dest
	head -c 100 /dev/urandom >f
	cp f orig
	ln f hard
	ln -s f sym
	# The source's descriptor (3, with no other open) names it only once it
	# is open; $$ is the command's own process, as sh runs it by exec.
	for pair in "f f" "f ./f" "f $WORK/f" "f hard" "f sym" "sym f" "f /proc/self/fd/3" \
		"f /dev/fd/3" 'f /proc/$$/fd/3' "/proc/self/exe /proc/self/fd/3"; do
		result bare traced -o opens -e trace=/^open sh -c "exec \"\$BYTECOPY\" $pair"
		dest=${pair#* }
		dest=${dest/'$$'/$(awk 'END { print $1 }' opens)}
		expect 3 "" "Could not open file $dest for writing: same file as source"
		cmp f orig
		[ "$(grep -cE 'O_WRONLY|O_RDWR' opens)" = 0 ]
	done
	# A running program may not be opened for writing by anyone.
	result "$BYTECOPY" /proc/self/exe /proc/self/exe
	expect 3 "" "Could not open file /proc/self/exe for writing: same file as source"
}

@test "a source the user may read but not write is refused as the source, under any name" {
	local dest
	binding
	printf abc >f
	chmod 444 f
	for dest in f /proc/self/fd/3 /dev/fd/3; do
		result bare "${AS[@]}" "$BYTECOPY" f "$dest"
		expect 3 "" "Could not open file $dest for writing: same file as source"
	done
}

@test "a block node is one file only with a block node of its numbers" {
	# Nodes of no device, which no open can reach.
	mknod blk b 0 0 2>/dev/null && mknod chr c 0 0 && ! cat blk 2>/dev/null ||
		skip "no device node can be made here (not root, or fakeroot)"
	: >reg
	for pair in "chr blk" "blk reg"; do
		# shellcheck disable=SC2086 # a pair of operands
		result "$BYTECOPY" $pair
		expect 2 "" "Could not open file ${pair% *} for reading"
	done
}

@test "each opened file is compared again, for a name that changed since it was looked at" {
	local name args want line
	printf abc >f
	ln f hard
	echo keep >out
	ln out other
	# The look at the name is made to miss; standard output opened by
	# another name keeps its own look out of the way.
	for fields in "hard|f $WORK/hard|3|$WORK/hard for writing: same file as source" \
		"out|f $WORK/out 1<>other|3|$WORK/out for writing: same file as standard output"; do
		row "$fields" name args want line
		result bash -c "inject \"\$BY_NAME:error=ENOENT:when=1\" $WORK/$name $args"
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
	result "${ns[@]}" sh -c 'mount -t tmpfs none a && mount -t tmpfs none b &&
		echo new >a/f && echo older >b/f && [ "$(stat -c %i a/f)" = "$(stat -c %i b/f)" ] &&
		"$0" a/f b/f && cat b/f' "$BYTECOPY"
	expect 0 "File copied successfully
4 bytes copied
new" ""
}

@test "one block device under two nodes is one file, as either operand or standard output" {
	local args want line img
	loop img
	img=$DEVICE
	printf abc >src
	head -c 16 /dev/urandom >"$img"
	cp img before
	for fields in "$img img.node|3|img.node for writing: same file as source" \
		"src $img >>img.node|3|$img for writing: same file as standard output" \
		"src img.node 1<>img.node|3|img.node for writing: same file as standard output" \
		"img.node out >>$img|2|img.node for reading: same file as standard output"; do
		row "$fields" args want line
		result bash -c "timeout 10 \"\$BYTECOPY\" $args"
		expect "$want" "" "Could not open file $line"
		cmp img before
	done
}

@test "two block devices are two files" {
	loop two
	loop one
	head -c 100 /dev/urandom >"$DEVICE"
	result "$BYTECOPY" "$DEVICE" two.node
	expect 0 "File copied successfully
65536 bytes copied" ""
	cmp one two
}

@test "one FIFO named twice, under any name, is refused without waiting for a writer" {
	mkfifo ff
	ln ff hard
	ln -s ff sym
	for pair in "ff ff" "ff hard" "ff sym" "sym ff"; do
		# shellcheck disable=SC2086 # a pair of operands
		result timeout 10 "$BYTECOPY" $pair
		expect 3 "" "Could not open file ${pair#* } for writing: same file as source"
	done
}

@test "the command's own standard input, a pipe, as both operands is refused" {
	for dest in /dev/stdin /proc/self/fd/0; do
		result bash -c 'printf x | timeout 10 "$BYTECOPY" /dev/stdin "$0"' "$dest"
		expect 3 "" "Could not open file $dest for writing: same file as source"
	done
}

@test "two FIFOs are two files" {
	mkfifo a b
	timeout 10 sh -c 'printf abc >a' &
	timeout 10 cat b >got &
	result timeout 10 "$BYTECOPY" a b
	wait
	expect 0 "File copied successfully
3 bytes copied" ""
	[ "$(cat got)" = abc ]
}

@test "a character device may be both operands, and is never cut" {
	result "$BYTECOPY" /dev/null /dev/null
	expect 0 "File copied successfully
0 bytes copied" ""
}

@test "a destination that cannot be cut keeps its content" {
	echo old >out
	result inject /^ftruncate:error=EIO "$WORK/out" /dev/null out
	expect 3 "" "Could not open file out for writing"
	[ "$(cat out)" = old ]
}

@test "standard output that is either file is refused, before anything is cut or written" {
	local args want line content
	printf abc >src
	cp src orig
	mkfifo ff
	exec 9<>ff # a reader and a writer, so that no open waits
	for fields in 'src out >>out|3|out for writing|keep' 'src out 1<>out|3|out for writing|keep' \
		'src /dev/stdout >out|3|/dev/stdout for writing|' 'src out 1<>src|2|src for reading|keep' \
		'src out >>src|2|src for reading|keep' 'ff out >ff|2|ff for reading|keep' \
		'/dev/stdout out > >(cat)|2|/dev/stdout for reading|keep'; do
		row "$fields" args want line content
		echo keep >out
		result bash -c "timeout 10 \"\$BYTECOPY\" $args"
		expect "$want" "" "Could not open file $line: same file as standard output"
		[ "$(cat out)" = "$content" ]
		cmp src orig
	done
	exec 9>&-
}

@test "a stream that is both standard output and the destination gets the bytes, then the report" {
	local args said
	printf abc >src
	mkfifo ff
	local report=$'File copied successfully\n3 bytes copied'
	for fields in "src /dev/stdout > >(cat)|abc$report" "src ff >ff & cat ff; wait \$!|abc$report" \
		'src /dev/null >/dev/null|' '/dev/stdin out <src >/dev/null && cmp src out|'; do
		row "$fields" args said
		result timeout 10 bash -c "\"\$BYTECOPY\" $args"
		expect 0 "$said" ""
	done
}

@test "with closed standard streams no report or message lands in either file" {
	local closed call k want keeps
	head -c 100 /dev/urandom >src
	for closed in '<&-' '>&-' '2>&-' '<&- 2>&-' '>&- 2>&-' '<&- >&- 2>&-'; do
		# A complete copy, and a write or read failing after 10 bytes.
		for fields in "write|200|0|100" "write|11|4|10" "read|11|5|10"; do
			row "$fields" call k want keeps
			rm -f out
			run traced -o calls -y -e trace=read,write -e "inject=$call:error=EIO:when=$k" -P "$WORK/src" \
				-P "$WORK/out" sh -c "exec \"\$BYTECOPY\" src out $closed"
			[ "$status" = "$want" ] || {
				echo "$closed $fields: $status"
				cat calls
				return 1
			}
			kept "$keeps"
			! grep -q "write([0-9]*<$WORK/src>" calls
			# Neither file on a stream's number.
			! grep -qE '(read|write)\([012]<' calls
		done
	done
}

@test "where both files cannot stay above the streams, the copy is refused and nothing made" {
	local limit streams want keeps
	[ -z "$EMULATOR" ] || skip "the emulator needs descriptors of its own"
	[ "$(cached BYTECOPY_SANITIZE)" != ON ] || skip "the sanitizers need descriptors of their own"
	printf x >src
	# The limit, the streams closed, the status, and what out keeps.
	for fields in '4|<&-|3|-1' '3|<&- >&-|2|-1' '4|2>&-|3|-1' '4||3|-1' '5|<&-|0|1' '5||0|1'; do
		row "$fields" limit streams want keeps
		rm -f out
		run bare sh -c "exec prlimit --nofile=$limit \"\$BYTECOPY\" src out $streams"
		[ "$status" = "$want" ] || {
			echo "$fields: $status $output"
			return 1
		}
		kept "$keeps"
	done
}

@test "a closed standard stream named as an operand cannot be opened" {
	local args want line
	printf x >src
	echo keep >dest
	for fields in '/dev/stdin dest <&-|2|Could not open file /dev/stdin for reading' \
		'/proc/self/fd/0 dest <&-|2|Could not open file /proc/self/fd/0 for reading' \
		'src /dev/stdin <&-|3|Could not open file /dev/stdin for writing' \
		'src /dev/stdout >&-|3|Could not open file /dev/stdout for writing' \
		'src /dev/stderr 2>&-|3|' '/dev/null dest <&- >&-|0|'; do
		row "$fields" args want line
		result bash -c "\"\$BYTECOPY\" $args"
		expect "$want" "" "$line"
		[ "$(cat dest)" = keep ] || [ "$want" = 0 ]
	done
	[ ! -s dest ]
}

@test "a reader that leaves is a write error" {
	head -c 200000 /dev/urandom >src
	mkfifo fifo
	timeout 10 head -c 1 fifo >/dev/null &
	result timeout 10 env --default-signal=PIPE "$BYTECOPY" src fifo
	wait
	expect 4 "" "Error writing to file fifo"
}

@test "a standard output or error with no reader is no death, nor a failed copy" {
	local want args
	head -c 1000 /dev/urandom >src
	mkfifo gone
	for fields in "1|2>&8" "2|missing out 2>&8" "0|src out >&8"; do
		row "$fields" want args
		# shellcheck disable=SC2094 # opened twice on purpose, then the reader is dropped
		exec 7<>gone 8>gone 7<&-
		run env --default-signal=PIPE bash -c "\"\$BYTECOPY\" $args"
		exec 8>&-
		[ "$status" = "$want" ]
	done
	cmp src out
}
