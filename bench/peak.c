/* SPDX-License-Identifier: MIT */
/*
 * peak COMMAND ARGS...: runs COMMAND (a path) and prints its peak resident
 * memory in KiB; the command's own output goes to /dev/null. A child's peak counts the pages of the process it was
 * forked from, so this small static program forks it rather than a shell or
 * /usr/bin/time, whose own pages would hide the command's.
 */
#include <fcntl.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int
main(int argc, char *argv[])
{
	struct rusage usage;
	int status;
	pid_t pid;

	if (argc < 2)
		return 2;
	if ((pid = fork()) == 0) {
		dup2(open("/dev/null", O_WRONLY), 1);
		execv(argv[1], argv + 1);
		_exit(127);
	}
	if (pid == -1 || wait4(pid, &status, 0, &usage) == -1 || status != 0)
		return 1;
	printf("%ld\n", usage.ru_maxrss);
	return 0;
}
