#pragma once
// Runs a piece of work in a forked child process with a memory budget and a
// time limit, so that code which may crash, loop or exhaust memory on
// hostile input cannot take the program down with it. The child touches no
// OpenGL and leaves through _exit, so nothing of the parent's state is
// flushed or torn down twice.

#include <functional>
#include <string>

// Set in AddressSanitizer builds: GCC defines __SANITIZE_ADDRESS__, clang
// answers __has_feature(address_sanitizer) instead.
#if defined(__SANITIZE_ADDRESS__)
#define ZELMORA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELMORA_ADDRESS_SANITIZER 1
#endif
#endif

struct ProbeLimits
{
    int nTimeoutMs = 5000;
    // Address space the child may add to what it inherited.
    long long nMemoryBytes = 1LL << 30;
};

enum class ProbeOutcome
{
    Passed,     // the work returned 0
    Failed,     // the work returned another value
    Crashed,    // a signal ended the child
    TimedOut,   // killed at the time limit
    NotStarted, // fork failed
};

// The work's result becomes the child's exit status (0 to 255).
ProbeOutcome RunInChild(const std::function<int()>& work, const ProbeLimits& limits = {});

const char* DescribeProbeOutcome(ProbeOutcome outcome);
