# SPDX-License-Identifier: MIT
# debian/changelog as an RPM %changelog, for the spec: one history.
/^[^ ]/ { version = $2; gsub(/[()]/, "", version); items = "" }
/^  \* / { items = items "- " substr($0, 5) "\n" }
/^    / { items = items "  " substr($0, 5) "\n" }
/^ -- / {
	split($0, trailer, ">  ")
	split(trailer[2], date, "[, ]+")
	printf "%s* %s %s %s %s %s> - %s\n%s", separator, date[1], date[3], date[2], date[4],
		substr(trailer[1], 5), version, items
	separator = "\n"
}
