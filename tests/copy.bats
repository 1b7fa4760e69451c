#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# What a complete copy does: operands, content, count, modes and names.

load helper

@test "a wrong number of operands is a usage error that touches nothing" {
	echo keep >a
	for args in "" "a" "a b c" "a b c d"; do
		# shellcheck disable=SC2086 # a list of operands
		result named mycopy $args
		expect 1 "" "Usage : mycopy source_filename destination_filename"
	done
	[ "$(ls -A)" = a ]
}

@test "an empty invocation name is shown as bytecopy" {
	result named ""
	expect 1 "" "Usage : bytecopy source_filename destination_filename"
}

@test "a name's control characters are escaped in its message, every other byte is as it is" {
	local name shown
	for fields in $'a\nb|a\\012b' $'\e]0;x\a\x1f|\\033]0;x\\007\\037' \
		$'\x7f\xc2\x80\xc2\x9f\xc2\xa0|\\177\\302\\200\\302\\237\xc2\xa0' $'-é \\ "q\'|-é \\ "q\''; do
		row "$fields" name shown
		result "$BYTECOPY" "$name" out
		expect 2 "" "Could not open file $shown for reading"
	done
}

@test "the invocation name's control characters are escaped in the usage line" {
	result named $'my\ncopy'
	expect 1 "" 'Usage : my\012copy source_filename destination_filename'
}

@test "names past PATH_MAX are escaped whole, whatever falls on the line buffer's end" {
	local lead byte shown name
	# Runs of 4,200 escaped bytes, each shifted by 0 to 7 plain bytes.
	for fields in $'\xc2\x85|\\302\\205' $'\x01|\\001'; do
		row "$fields" byte shown
		for lead in '' a aa aaa aaaa aaaaa aaaaaa aaaaaaa; do
			name=$lead$(printf "$byte%.0s" {1..4200})
			result "$BYTECOPY" "$name" out
			expect 2 "" "Could not open file ${name//$byte/$shown} for reading"
		done
	done
	# The longest name an argument can hold.
	name=$(printf '%*s' 131071 '' | tr ' ' '\001')
	result "$BYTECOPY" "$name" out
	expect 2 "" "Could not open file $(tr '\001' ' ' <<<"$name" | sed 's/ /\\001/g') for reading"
}

@test "the report leaves in one write" {
	printf x >src
	result traced -o calls -e trace=/^write "$BYTECOPY" src out
	expect 0 "File copied successfully
1 bytes copied" ""
	[ "$(grep -cE 'writev?\([12],' calls)" = 1 ]
}

@test "a message with a name up to PATH_MAX leaves in one write" {
	local long
	long=$(printf '\001%.0s' {1..4095})
	result traced -o calls -e trace=/^write "$BYTECOPY" "$long" out
	expect 2 "" "Could not open file ${long//$'\001'/\\001} for reading"
	[ "$(grep -cE 'writev?\([12],' calls)" = 1 ]
}

@test "every byte is copied unchanged and counted" {
	local file count
	: >empty
	printf x >one
	printf %b "$(printf '\\0%03o' {0..255})" >all
	head -c 20000 /dev/urandom >random
	for fields in "empty|0" "one|1" "all|256" "random|20000"; do
		row "$fields" file count
		result "$BYTECOPY" "$file" copy
		expect 0 "File copied successfully
$count bytes copied" ""
		cmp "$file" copy
	done
}

@test "each byte is one read and one write of one byte" {
	head -c 1000 /dev/urandom >src
	traced -o calls -e trace=read,write -P "$WORK/src" -P "$WORK/out" \
		"$BYTECOPY" "$WORK/src" "$WORK/out" >/dev/null
	[ "$(grep -c '^[0-9]* *read(.*, 1) *= 1$' calls)" = 1000 ]
	[ "$(grep -c '^[0-9]* *read(.*, 1) *= 0$' calls)" = 1 ]
	[ "$(grep -c '^[0-9]* *write(.*, 1) *= 1$' calls)" = 1000 ]
	[ "$(wc -l <calls)" = 2001 ]
}

@test "a source past 2 GiB is opened and copied from" {
	printf 'first bytes' >big
	truncate -s 3G big
	# Copying it would take hours: the command is stopped while at it.
	result timeout 3 "$BYTECOPY" big out
	expect 124 "" ""
	[ -s out ]
	cmp -n "$(stat -c %s out)" big out
}

@test "an existing destination is cut to the source's length and keeps its mode" {
	printf x >one
	printf 'a much longer old content' >old
	chmod 751 old
	"$BYTECOPY" one old
	cmp one old
	[ "$(stat -c %a old)" = 751 ]
}

@test "a new destination is owner read-write less the umask" {
	local mask mode
	printf x >one
	for fields in "022|600" "077|600" "277|400"; do
		row "$fields" mask mode
		(umask "$mask" && "$BYTECOPY" one "new$mask")
		[ "$(stat -c %a "new$mask")" = "$mode" ]
	done
}

@test "an operand that begins with a dash is a file name" {
	printf abc >-
	result "$BYTECOPY" - -x </dev/null
	expect 0 "File copied successfully
3 bytes copied" ""
	cmp ./- ./-x
}

@test "symbolic links are followed, for both operands" {
	printf abc >src
	printf old >target
	ln -s src from
	ln -s target link
	ln -s created dangling
	for dest in link dangling; do
		"$BYTECOPY" from "$dest"
		[ -L "$dest" ]
		cmp src "$dest"
	done
	cmp src target
	cmp src created
}
