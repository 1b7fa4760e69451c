// SPDX-License-Identifier: MIT
// bytecopy: copy a file into another, one byte at a time.

// The C headers, not their C++ wrappers: the command needs no C++ run-time
// library, so it builds against any C library, musl included.
#include <fcntl.h>
#include <inttypes.h>
#include <limits.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

// A 32-bit off_t could not even fstat a source past 2 GiB.
static_assert(sizeof(off_t) == 8, "build with _FILE_OFFSET_BITS=64");

// Writes all of BUF to FD, as far as FD takes it.
static void
put(int fd, const char *buf, size_t len)
{
	for (ssize_t n = 0; len > 0; buf += n, len -= n)
		if ((n = write(fd, buf, len)) <= 0)
			return;
}

// Writes FORMAT on standard error with NAME in place of its %s, and exits.
// Control characters in the name are escaped, so that a name can neither
// split the line nor drive the terminal. The line leaves in one write, which
// no other writer to the same stream can split; only the line of a name
// longer than PATH_MAX may leave in pieces.
[[noreturn]] static void
fail(int status, const char *format, const char *name)
{
	static char line[256 + 4 * PATH_MAX];
	size_t len = 0;
	for (const char *f = format; *f != '\0'; f++) {
		if (len > sizeof line - 8) {
			put(STDERR_FILENO, line, len);
			len = 0;
		}
		if (f[0] != '%' || f[1] != 's' || name == nullptr) {
			line[len++] = *f;
			continue;
		}
		for (const char *p = name; *p != '\0'; p++) {
			if (len > sizeof line - 8) {
				put(STDERR_FILENO, line, len);
				len = 0;
			}
			unsigned char c = *p;
			unsigned char next = p[1];
			// C1 controls are U+0080 to U+009F, in UTF-8 0xc2 0x80 to 0xc2 0x9f.
			bool c1 = c == 0xc2 && next >= 0x80 && next <= 0x9f;
			if (c >= 0x20 && c != 0x7f && !c1) {
				line[len++] = *p;
				continue;
			}
			len += snprintf(line + len, 5, "\\%03o", c);
			if (c1) {
				len += snprintf(line + len, 5, "\\%03o", next);
				p++;
			}
		}
		name = nullptr;
		f++;
	}
	put(STDERR_FILENO, line, len);
	exit(status);
}

// A file opened while a standard stream is closed takes its number; it is
// moved above them, so that no message or report can land in it, and a
// name such as /dev/stdin still finds the stream closed.
static int
above_streams(int fd)
{
	if (fd < 0 || fd > 2)
		return fd;
	int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
	close(fd);
	return moved;
}

// A regular file named twice would be emptied before its first byte was
// read, a FIFO or pipe read back forever; a character device (/dev/null) has
// no content to lose. B is null for a closed standard output.
static bool
same_file(const struct stat *a, const struct stat *b)
{
	return b != nullptr && !S_ISCHR(a->st_mode) && a->st_dev == b->st_dev &&
	       a->st_ino == b->st_ino;
}

// Why the destination, as it stands in ST, may not be written: it is the
// source, or a file with content that standard output would write the report
// over. A pipe, FIFO or terminal takes the report after the bytes.
static const char *
refusal(const struct stat *st, const struct stat *in_st, const struct stat *out_std)
{
	if (same_file(st, in_st))
		return "Could not open file %s for writing: same file as source\n";
	if ((S_ISREG(st->st_mode) || S_ISBLK(st->st_mode)) && same_file(st, out_std))
		return "Could not open file %s for writing: same file as standard output\n";
	return nullptr;
}

int
main(int argc, char *argv[])
{
	// A reader that has gone, or the file-size limit, is a write error with
	// its message, not a silent death.
	signal(SIGPIPE, SIG_IGN);
	signal(SIGXFSZ, SIG_IGN);

	if (argc != 3)
		fail(1, "Usage : %s source_filename destination_filename\n",
		     argc > 0 && argv[0][0] != '\0' ? argv[0] : "bytecopy");
	const char *source = argv[1];
	const char *destination = argv[2];

	// The report must not land in either file: standard output is looked at
	// before anything can take its number.
	struct stat std_st = {};
	const struct stat *out_std = fstat(STDOUT_FILENO, &std_st) == 0 ? &std_st : nullptr;

	// Each file is looked at by its name before it is opened, and again as
	// opened, for a name that changed in between.
	struct stat in_st = {};
	if (stat(source, &in_st) == 0 && same_file(&in_st, out_std))
		fail(2, "Could not open file %s for reading: same file as standard output\n",
		     source);
	int in = above_streams(open(source, O_RDONLY));
	if (in == -1 || fstat(in, &in_st) == -1)
		fail(2, "Could not open file %s for reading\n", source);
	if (same_file(&in_st, out_std))
		fail(2, "Could not open file %s for reading: same file as standard output\n",
		     source);
	// A directory can only fail to read: fail before the destination is cut.
	if (S_ISDIR(in_st.st_mode))
		fail(5, "Error reading from file %s\n", source);

	struct stat out_st = {};
	const char *why = nullptr;
	if (stat(destination, &out_st) == 0 && (why = refusal(&out_st, &in_st, out_std)) != nullptr)
		fail(3, why, destination);
	// A destination that lands on a closed stream's number must move above
	// the streams: make sure there is room before the open can create it.
	int room = fcntl(in, F_DUPFD_CLOEXEC, 3);
	if (room == -1)
		fail(3, "Could not open file %s for writing\n", destination);
	close(room);
	int out = above_streams(open(destination, O_WRONLY | O_CREAT, 0600));
	if (out == -1 || fstat(out, &out_st) == -1)
		fail(3, "Could not open file %s for writing\n", destination);
	if ((why = refusal(&out_st, &in_st, out_std)) != nullptr)
		fail(3, why, destination);
	if (S_ISREG(out_st.st_mode) && ftruncate(out, 0) == -1)
		fail(3, "Could not open file %s for writing\n", destination);

	int64_t count = 0;
	unsigned char byte = 0;
	ssize_t n = 0;
	while ((n = read(in, &byte, 1)) == 1) {
		if (write(out, &byte, 1) != 1)
			fail(4, "Error writing to file %s\n", destination);
		count++;
	}
	if (n == -1)
		fail(5, "Error reading from file %s\n", source);

	close(in);
	// Some file systems (NFS, quotas) report lost data only at close.
	if (close(out) == -1)
		fail(4, "Error writing to file %s\n", destination);

	// Both lines in one write, which no other writer can split.
	char report[64];
	int len = snprintf(report, sizeof report,
	                   "File copied successfully\n%" PRId64 " bytes copied\n", count);
	put(STDOUT_FILENO, report, len);
	return 0;
}
