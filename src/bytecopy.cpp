// bytecopy: copy a file into another, one byte at a time.

#include <cinttypes>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

[[noreturn]] static void
fail(int status, const char *format, const char *name)
{
	std::fprintf(stderr, format, name);
	std::exit(status);
}

int
main(int argc, char *argv[])
{
	// A closed standard stream would let a file opened below take its
	// number, and a message or the report would then land in that file.
	for (int fd = 0; fd <= 2; fd++)
		if (fcntl(fd, F_GETFD) == -1 && open("/dev/null", O_RDWR) == -1)
			fail(1, "Could not open file %s\n", "/dev/null");

	// A destination pipe whose reader has gone is a write error, not a
	// silent death.
	std::signal(SIGPIPE, SIG_IGN);

	if (argc != 3)
		fail(1, "Usage : %s source_filename destination_filename\n",
		     argc > 0 && argv[0][0] != '\0' ? argv[0] : "bytecopy");
	const char *source = argv[1];
	const char *destination = argv[2];

	int in = open(source, O_RDONLY);
	struct stat in_st = {};
	if (in == -1 || fstat(in, &in_st) == -1)
		fail(2, "Could not open file %s for reading\n", source);

	// The destination may be the source under another name, so it is
	// opened without O_TRUNC and cut only once it is known to differ.
	int out = open(destination, O_WRONLY | O_CREAT, S_IFREG | S_IRUSR | S_IWUSR);
	struct stat out_st = {};
	if (out == -1 || fstat(out, &out_st) == -1)
		fail(3, "Could not open file %s for writing\n", destination);
	if (S_ISREG(out_st.st_mode)) {
		if (out_st.st_dev == in_st.st_dev && out_st.st_ino == in_st.st_ino)
			fail(3, "Could not open file %s for writing: same file as source\n",
			     destination);
		if (ftruncate(out, 0) == -1)
			fail(3, "Could not open file %s for writing\n", destination);
	}

	std::int64_t count = 0;
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

	std::puts("File copied successfully");
	std::printf("%" PRId64 " bytes copied\n", count);
	return 0;
}
