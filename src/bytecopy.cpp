// SPDX-License-Identifier: MIT
// bytecopy: copy a file into another, one byte at a time.

// The C headers, not their C++ wrappers: the command needs no C++ run-time
// library, so it builds against any C library, musl included.
#include <fcntl.h>
#include <inttypes.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

// A 32-bit off_t could not even fstat a source past 2 GiB.
static_assert(sizeof(off_t) == 8, "build with _FILE_OFFSET_BITS=64");

// Writes FORMAT on standard error with NAME in place of its one %s, and
// exits. Control characters in the name are escaped, so that a name can
// neither split the line nor drive the terminal.
[[noreturn]] static void
fail(int status, const char *format, const char *name)
{
	// The line leaves in one write, not in one a character.
	static char line[BUFSIZ];
	setvbuf(stderr, line, _IOFBF, sizeof line);
	const char *at = strstr(format, "%s");
	fwrite(format, 1, at - format, stderr);
	for (const char *p = name; *p != '\0'; p++) {
		unsigned char c = *p;
		unsigned char next = p[1];
		// C1 controls are U+0080 to U+009F, in UTF-8 0xc2 0x80 to 0xc2 0x9f.
		bool c1 = c == 0xc2 && next >= 0x80 && next <= 0x9f;
		if (c < 0x20 || c == 0x7f || c1) {
			fprintf(stderr, "\\%03o", c);
			if (c1) {
				fprintf(stderr, "\\%03o", next);
				p++;
			}
		} else
			putc(c, stderr);
	}
	fputs(at + 2, stderr);
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
// no content to lose.
static bool
same_file(const struct stat *a, const struct stat *b)
{
	return !S_ISCHR(a->st_mode) && a->st_dev == b->st_dev && a->st_ino == b->st_ino;
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

	int in = above_streams(open(source, O_RDONLY));
	struct stat in_st = {};
	if (in == -1 || fstat(in, &in_st) == -1)
		fail(2, "Could not open file %s for reading\n", source);
	// A directory can only fail to read: fail before the destination is cut.
	if (S_ISDIR(in_st.st_mode))
		fail(5, "Error reading from file %s\n", source);

	// The destination may be the source under another name: its name is
	// looked at before anything opens it for writing, and the opened file
	// again, for a name that changed in between.
	struct stat out_st = {};
	if (stat(destination, &out_st) == 0 && same_file(&out_st, &in_st))
		fail(3, "Could not open file %s for writing: same file as source\n", destination);
	int out = above_streams(open(destination, O_WRONLY | O_CREAT, 0600));
	if (out == -1 || fstat(out, &out_st) == -1)
		fail(3, "Could not open file %s for writing\n", destination);
	if (same_file(&out_st, &in_st))
		fail(3, "Could not open file %s for writing: same file as source\n", destination);
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

	puts("File copied successfully");
	printf("%" PRId64 " bytes copied\n", count);
	return 0;
}
