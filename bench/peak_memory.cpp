// Runs a command and prints its peak resident memory in kilobytes and the processor
// time it took, user and system, in milliseconds (Linux):
//   passcat-bench-peak-memory COMMAND [ARGUMENT...]
// The command's output is left as it is; its failure is this program's failure.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: passcat-bench-peak-memory COMMAND [ARGUMENT...]\n");
        return 2;
    }
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child)
        return 2;
    const auto milliseconds = [](const timeval& t) { return t.tv_sec * 1000L + t.tv_usec / 1000L; };
    std::printf("%ld %ld\n", usage.ru_maxrss, milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime));
    return WIFEXITED(status) && WEXITSTATUS(status) < 2 ? 0 : 1;
}
