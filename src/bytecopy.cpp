// SPDX-License-Identifier: MIT
// bytecopy: copy a file into another, one byte at a time.

// The C headers, not their C++ wrappers: the command needs no C++ run-time
// library, so it builds against any C library, musl included.
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

// A 32-bit off_t could not even fstat a source past 2 GiB.
static_assert(sizeof(off_t) == 8, "build with _FILE_OFFSET_BITS=64");

// Writes the COUNT pieces of LINE to FD in one call, so that commands that
// share a pipe do not mix their lines up to PIPE_BUF bytes. A short write
// is not retried: with no signal handler, only a full or broken file writes
// short, and another try would fail as well.
static void
put(int fd, const struct iovec *line, int count)
{
	if (writev(fd, line, count) == -1)
		return;
}

// Writes C at TO as a backslash and three octal digits.
static size_t
octal(char *to, unsigned char c)
{
	to[0] = '\\';
	to[1] = static_cast<char>('0' + (c >> 6));
	to[2] = static_cast<char>('0' + ((c >> 3) & 7));
	to[3] = static_cast<char>('0' + (c & 7));
	return 4;
}

// Writes FORMAT on standard error with NAME in place of its one %s, and
// exits. Control characters in the name are escaped, so that a name can
// neither split the line nor drive the terminal. The line leaves in one
// write for any name up to PATH_MAX, a longer one's in pieces.
[[noreturn]] static void
fail(int status, const char *format, const char *name)
{
	// On the stack: in static storage it would cost every run pages.
	char escaped[4 * PATH_MAX];
	const char *tail = strchr(format, '%');
	struct iovec line[] = {
	    {const_cast<char *>(format), static_cast<size_t>(tail - format)},
	    {escaped, 0},
	    {const_cast<char *>(tail + 2), strlen(tail + 2)},
	};
	size_t len = 0;
	for (const char *p = name; *p != '\0'; p++) {
		// Room for the most one byte can take: a C1 pair, escaped.
		if (len > sizeof escaped - 8) {
			line[1].iov_len = len;
			put(STDERR_FILENO, line, 2);
			line[0].iov_len = 0;
			len = 0;
		}
		unsigned char c = *p;
		unsigned char next = p[1];
		// C1 controls are U+0080 to U+009F, in UTF-8 0xc2 0x80 to 0xc2 0x9f.
		bool c1 = c == 0xc2 && next >= 0x80 && next <= 0x9f;
		if (c >= 0x20 && c != 0x7f && !c1) {
			escaped[len++] = *p;
			continue;
		}
		len += octal(escaped + len, c);
		if (c1) {
			len += octal(escaped + len, next);
			p++;
		}
	}
	line[1].iov_len = len;
	put(STDERR_FILENO, line, 3);
	exit(status);
}

// A successful run touches no read-only data, which would cost it a page
// fault: the report's words and the empty name by which fstatat looks at
// an open file (the C library's fstat has one of its own there) are
// writable data, on a page that every run touches anyway.
static char done[] = "File copied successfully\n";
static char copied[] = " bytes copied\n";
static char here[1];

// Looks at the open file FD.
static int
look(int fd, struct stat *st)
{
	return fstatat(fd, here, st, AT_EMPTY_PATH);
}

// Writes N at TO in decimal digits, and returns how many: the C library's
// formatter would cost every run the pages of its code.
static size_t
decimal(char *to, int64_t n)
{
	char digits[20];
	size_t len = 0;
	do {
		digits[len++] = static_cast<char>('0' + (n % 10));
		n /= 10;
	} while (n > 0);
	for (size_t i = 0; i < len; i++)
		to[i] = digits[len - 1 - i];
	return len;
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

// Whether a descriptor is free above the standard streams.
static bool
room_above_streams(int fd)
{
	int room = fcntl(fd, F_DUPFD_CLOEXEC, 3);
	if (room == -1)
		return false;
	close(room);
	return true;
}

// A regular file named twice would be emptied before its first byte was
// read, a FIFO or pipe read back forever, and a block device is one device
// under any of its nodes; a character device (/dev/null) has no content to
// lose. B is null for a closed standard output.
static bool
same_file(const struct stat *a, const struct stat *b)
{
	if (b == nullptr || S_ISCHR(a->st_mode))
		return false;
	if (S_ISBLK(a->st_mode) && S_ISBLK(b->st_mode))
		return a->st_rdev == b->st_rdev;
	return a->st_dev == b->st_dev && a->st_ino == b->st_ino;
}

// Refuses the destination, as it stands in ST, where it is the source, or a
// file with content that standard output would write the report over. A
// pipe, FIFO or terminal takes the report after the bytes.
static void
refuse(const char *destination, const struct stat *st, const struct stat *in_st,
       const struct stat *out_std)
{
	if (same_file(st, in_st))
		fail(3, "Could not open file %s for writing: same file as source\n", destination);
	if ((S_ISREG(st->st_mode) || S_ISBLK(st->st_mode)) && same_file(st, out_std))
		fail(3, "Could not open file %s for writing: same file as standard output\n",
		     destination);
}

int
main(int argc, char *argv[])
{
	// A reader that has gone, or the file-size limit, is a write error with
	// its message, not a silent death: blocked, either signal waits unseen
	// while the write fails, at the cost of one system call.
	sigset_t quiet;
	sigemptyset(&quiet);
	sigaddset(&quiet, SIGPIPE);
	sigaddset(&quiet, SIGXFSZ);
	sigprocmask(SIG_BLOCK, &quiet, nullptr);

	if (argc != 3)
		fail(1, "Usage : %s source_filename destination_filename\n",
		     argc > 0 && argv[0][0] != '\0' ? argv[0] : "bytecopy");
	const char *source = argv[1];
	const char *destination = argv[2];

	// The report must not land in either file: standard output is looked at
	// before anything can take its number.
	struct stat std_st = {};
	const struct stat *out_std = look(STDOUT_FILENO, &std_st) == 0 ? &std_st : nullptr;

	// The two names are compared before either is opened, since one FIFO
	// opened for reading would wait for a writer that never comes; both
	// files are compared again as opened, for a name that changed between.
	struct stat in_st = {};
	struct stat out_st = {};
	if (stat(source, &in_st) == 0 && stat(destination, &out_st) == 0)
		refuse(destination, &out_st, &in_st, out_std);

	int in = open(source, O_RDONLY);
	// A source on a closed stream's number means the destination will take
	// one too, and must have room to move before its open can create it.
	bool crowded = in >= 0 && in <= 2;
	in = above_streams(in);
	if (in == -1 || look(in, &in_st) == -1)
		fail(2, "Could not open file %s for reading\n", source);
	if (same_file(&in_st, out_std))
		fail(2, "Could not open file %s for reading: same file as standard output\n",
		     source);
	// A directory can only fail to read: fail before the destination is cut.
	if (S_ISDIR(in_st.st_mode))
		fail(5, "Error reading from file %s\n", source);
	if (crowded && !room_above_streams(in))
		fail(3, "Could not open file %s for writing\n", destination);

	// A name can lead to the source only once it is open, as /proc/self/fd/3
	// or /dev/fd/3 name the descriptor it has just taken: the destination is
	// looked at again before anything opens it for writing.
	if (stat(destination, &out_st) == 0)
		refuse(destination, &out_st, &in_st, out_std);

	int out = above_streams(open(destination, O_WRONLY | O_CREAT, 0600));
	if (out == -1 || look(out, &out_st) == -1)
		fail(3, "Could not open file %s for writing\n", destination);
	refuse(destination, &out_st, &in_st, out_std);
	if (S_ISREG(out_st.st_mode) && ftruncate(out, 0) == -1)
		fail(3, "Could not open file %s for writing\n", destination);

	int64_t count = 0;
	unsigned char byte = 0;
	ssize_t n = read(in, &byte, 1);
	while (n == 1) {
		if (write(out, &byte, 1) != 1)
			fail(4, "Error writing to file %s\n", destination);
		count++;
		n = read(in, &byte, 1);
	}
	if (n == -1)
		fail(5, "Error reading from file %s\n", source);

	// The exit closes the source, whose close can lose nothing; some file
	// systems (NFS, quotas) report the destination's lost data only at close.
	if (close(out) == -1)
		fail(4, "Error writing to file %s\n", destination);

	// Both lines in one write.
	char digits[20];
	const struct iovec report[] = {
	    {done, sizeof done - 1},
	    {digits, decimal(digits, count)},
	    {copied, sizeof copied - 1},
	};
	put(STDOUT_FILENO, report, 3);
	return 0;
}
