// SPDX-License-Identifier: MIT
// The floor: the bare one-byte loop, unchecked.
#include <fcntl.h>
#include <unistd.h>

int
main(int argc, char *argv[])
{
	char c;
	int in, out;

	if (argc != 3 || (in = open(argv[1], O_RDONLY)) == -1 || (out = creat(argv[2], 0600)) == -1)
		return 1;
	while (read(in, &c, 1) == 1)
		if (write(out, &c, 1) != 1)
			return 1;
	return 0;
}
