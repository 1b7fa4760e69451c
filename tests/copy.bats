#!/usr/bin/env bats
# SPDX-License-Identifier: MIT
# What a complete copy does: operands, content, count, modes and names.

load helper

@test "a wrong number of operands prints the usage line and touches nothing" {
	echo keep >a
	for args in "" "a" "a b c" "a b c d"; do
		# shellcheck disable=SC2086
		run --separate-stderr named mycopy $args
		expect 1 "" "Usage : mycopy source_filename destination_filename"
	done
	run --separate-stderr named ""
	expect 1 "" "Usage : bytecopy source_filename destination_filename"
	[ "$(ls -A)" = a ]
}

@test "every byte is copied unchanged and counted" {
	: >empty
	printf x >one
	printf %b "$(printf '\\0%03o' {0..255})" >all
	head -c 20000 /dev/urandom >random
	for src in empty one all random; do
		run --separate-stderr "$BYTECOPY" "$src" "$src.copy"
		expect 0 "File copied successfully
$(stat -c %s "$src") bytes copied" ""
		cmp "$src" "$src.copy"
	done
	[ "$(stat -c %s all)" = 256 ]
}

@test "an existing destination is cut to the source and keeps its mode" {
	printf x >one
	printf 'a much longer old content' >old
	chmod 751 old
	"$BYTECOPY" one old
	cmp one old
	[ "$(stat -c %a old)" = 751 ]
}

@test "a new destination is owner read-write less the umask" {
	printf x >one
	for pair in 022:600 077:600 277:400; do
		(umask "${pair%:*}" && "$BYTECOPY" one "new$pair")
		[ "$(stat -c %a "new$pair")" = "${pair#*:}" ]
	done
}

@test "operands are paths: dashes, symbolic links and device names" {
	printf abc >-
	run --separate-stderr "$BYTECOPY" - -x </dev/null
	expect 0 "File copied successfully
3 bytes copied" ""
	cmp ./- ./-x

	ln -s target link
	ln -s created dangling
	"$BYTECOPY" -x link
	"$BYTECOPY" -x dangling
	[ -L link ]
	[ -L dangling ]
	cmp ./-x target
	cmp ./-x created

	run --separate-stderr bash -c 'printf piped | timeout 10 "$0" /dev/stdin out' "$BYTECOPY"
	expect 0 "File copied successfully
5 bytes copied" ""
	[ "$(cat out)" = piped ]
}
