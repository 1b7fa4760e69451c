// SPDX-License-Identifier: MIT
// bytecopy: copy a file into another, one byte at a time.

// The C headers, not their C++ wrappers: the command needs no C++ run-time
// library, so it builds against any C library, musl included.
#include <fcntl.h>
#include <inttypes.h>
#include <signal.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

// A 32-bit off_t could not even fstat a source past 2 GiB.
static_assert(sizeof(off_t) == 8, "build with _FILE_OFFSET_BITS=64");

[[noreturn]] [[gnu::format(printf, 2, 3)]] static void
fail(int status, const char *format, ...)
{
	va_list ap;
	va_start(ap, format);
	vfprintf(stderr, format, ap);
	va_end(ap);
	exit(status);
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
	// A destination pipe whose reader has gone, or a file past the size
	// limit, is a write error with its message, not a silent death; so is
	// a message line written to a standard error with no reader.
	signal(SIGPIPE, SIG_IGN);
	signal(SIGXFSZ, SIG_IGN);

	// A closed standard stream would let a file opened below take its
	// number, and a message or the report would then land in that file.
	for (int fd = 0; fd <= 2; fd++)
		if (fcntl(fd, F_GETFD) == -1 && open("/dev/null", O_RDWR) == -1)
			fail(1, "Could not open file %s\n", "/dev/null");

	if (argc != 3)
		fail(1, "Usage : %s source_filename destination_filename\n",
		     argc > 0 && argv[0][0] != '\0' ? argv[0] : "bytecopy");
	const char *source = argv[1];
	const char *destination = argv[2];

	int in = open(source, O_RDONLY);
	struct stat in_st = {};
	if (in == -1 || fstat(in, &in_st) == -1)
		fail(2, "Could not open file %s for reading\n", source);
	// A directory can only fail to read: fail before the destination is cut.
	if (S_ISDIR(in_st.st_mode))
		fail(5, "Error reading from file %s\n", source);

	// The destination may be the source under another name. Its name is
	// looked at before anything opens it for writing, which a source that
	// may not be written would refuse and a watcher of the source would
	// see; the opened file is looked at again, since the name may have
	// changed in between, and only a regular file found to differ is cut.
	struct stat out_st = {};
	if (stat(destination, &out_st) == 0 && same_file(&out_st, &in_st))
		fail(3, "Could not open file %s for writing: same file as source\n", destination);
	int out = open(destination, O_WRONLY | O_CREAT, S_IFREG | S_IRUSR | S_IWUSR);
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
