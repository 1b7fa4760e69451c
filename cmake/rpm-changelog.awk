# SPDX-License-Identifier: MIT
# A Debian changelog on standard input, as an RPM %changelog: each entry's
# heading names its date, signer and version, then its items.
/^[^ ]/ {
	version = $2
	gsub(/[()]/, "", version)
	items = ""
	next
}
/^  \* / { items = items "- " substr($0, 5) "\n"; next }
/^    / { items = items "  " substr($0, 5) "\n"; next }
/^ -- / {
	split($0, trailer, ">  ")
	signer = substr(trailer[1], 5) ">"
	split(trailer[2], date, " ")
	sub(/,/, "", date[1])
	printf "%s* %s %s %s %s %s - %s-1\n%s", separator, date[1], date[3], date[2], date[4], signer, version, items
	separator = "\n"
}
