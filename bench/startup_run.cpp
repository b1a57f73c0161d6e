// Runs one program to its end and prints its wall time and CPU time in milliseconds and its
// peak resident memory in KiB: /usr/bin/time gives CPU time in hundredths of a second only,
// too coarse for a start-up of a few milliseconds.
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double milliseconds(const timeval& t)
{
    return t.tv_sec * 1e3 + t.tv_usec / 1e3;
}

double now()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_run PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const double start = now();
    const pid_t child = fork();
    if (child == 0) {
        // The program's own output is not part of the measure.
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) {
        std::perror("startup_run");
        return 2;
    }
    const double wall = now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "startup_run: %s failed\n", argv[1]);
        return 1;
    }
    std::printf("%.3f %.3f %ld\n", wall,
                milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime), usage.ru_maxrss);
    return 0;
}
