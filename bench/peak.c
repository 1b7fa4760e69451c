/* SPDX-License-Identifier: MIT */
/* peak COMMAND ARGS...: the KiB COMMAND (a path) holds at exit, its peak,
 * for it frees nothing. ru_maxrss would count the forking parent's pages. */
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

int
main(int argc, char *argv[])
{
	char path[64];
	long pages;
	int status;
	FILE *statm;
	pid_t pid = argc < 2 ? -1 : fork();

	if (pid == 0) {
		dup2(open("/dev/null", O_WRONLY), 1);
		ptrace(PTRACE_TRACEME, 0, 0, 0);
		execv(argv[1], argv + 1);
		_exit(127);
	}
	/* Stopped at the exec: to be stopped again at the exit. */
	if (pid == -1 || waitpid(pid, &status, 0) == -1 ||
	    ptrace(PTRACE_SETOPTIONS, pid, 0, PTRACE_O_TRACEEXIT) == -1 ||
	    ptrace(PTRACE_CONT, pid, 0, 0) == -1 || waitpid(pid, &status, 0) == -1 ||
	    status >> 8 != (SIGTRAP | PTRACE_EVENT_EXIT << 8))
		return 1;
	snprintf(path, sizeof path, "/proc/%d/statm", (int)pid);
	if ((statm = fopen(path, "r")) == NULL || fscanf(statm, "%*d %ld", &pages) != 1 ||
	    ptrace(PTRACE_CONT, pid, 0, 0) == -1 || waitpid(pid, &status, 0) == -1 ||
	    !WIFEXITED(status) || WEXITSTATUS(status) != 0)
		return 1;
	printf("%ld\n", pages * sysconf(_SC_PAGESIZE) / 1024);
	return 0;
}
