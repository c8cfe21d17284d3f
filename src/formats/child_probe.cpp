#include "formats/child_probe.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
#if !defined(ZELMORA_ADDRESS_SANITIZER)
// Virtual size of this process now, from /proc; 0 when unknown.
long long CurrentAddressSpace()
{
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    long long pages = 0;
    if (std::fscanf(statm, "%lld", &pages) != 1)
        pages = 0;
    std::fclose(statm);
    return pages * sysconf(_SC_PAGESIZE);
}
#endif

void LimitChild(const ProbeLimits& limits)
{
    rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    // The sanitizers reserve terabytes of shadow address space and cannot
    // live under an address-space limit; their builds rely on the timer.
#if !defined(ZELMORA_ADDRESS_SANITIZER)
    const long long current = CurrentAddressSpace();
    if (current > 0)
    {
        rlimit memory;
        memory.rlim_cur = memory.rlim_max = rlim_t(current + limits.nMemoryBytes);
        setrlimit(RLIMIT_AS, &memory);
    }
#endif
    const rlim_t seconds = rlim_t(limits.nTimeoutMs / 1000 + 2);
    rlimit cpu{seconds, seconds};
    setrlimit(RLIMIT_CPU, &cpu);
}

// Waits for the child to close its end of the pipe (it does so only by
// ending) until the deadline.
bool WaitForExit(int readEnd, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;)
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd descriptor{readEnd, POLLIN, 0};
        const int ready = poll(&descriptor, 1, int(left.count()));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}
} // namespace

ProbeOutcome RunInChild(const std::function<int()>& work, const ProbeLimits& limits)
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return ProbeOutcome::NotStarted;
    const pid_t child = fork();
    if (child < 0)
    {
        close(ends[0]);
        close(ends[1]);
        return ProbeOutcome::NotStarted;
    }
    if (child == 0)
    {
        close(ends[0]);
        LimitChild(limits);
        int status = 1;
        try
        {
            status = work();
        }
        catch (...)
        {
            status = 1;
        }
        _exit(status & 0xFF);
    }

    close(ends[1]);
    const bool bEnded = WaitForExit(ends[0], limits.nTimeoutMs);
    close(ends[0]);
    if (!bEnded)
        kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    if (!bEnded)
        return ProbeOutcome::TimedOut;
    if (WIFSIGNALED(status))
        return WTERMSIG(status) == SIGXCPU ? ProbeOutcome::TimedOut : ProbeOutcome::Crashed;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return ProbeOutcome::Passed;
    return ProbeOutcome::Failed;
}

const char* DescribeProbeOutcome(ProbeOutcome outcome)
{
    switch (outcome)
    {
    case ProbeOutcome::Passed:
        return "passed";
    case ProbeOutcome::Failed:
        return "lib3ds or DevIL refused it";
    case ProbeOutcome::Crashed:
        return "it crashed the reader";
    case ProbeOutcome::TimedOut:
        return "the reader did not finish in time";
    case ProbeOutcome::NotStarted:
        return "the reader could not be started";
    }
    return "";
}
