// The child process that runs untrusted parsing: its result, a crash, a
// hang and a memory hog each come back as an outcome, never as a crash or a
// hang of the caller.

#include "formats/child_probe.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <vector>

namespace
{
constexpr int kShortTimeoutMs = 300;

ProbeLimits Short()
{
    ProbeLimits limits;
    limits.nTimeoutMs = kShortTimeoutMs;
    return limits;
}
} // namespace

TEST(ChildProbeTest, ResultOfTheWorkIsTheOutcome)
{
    EXPECT_EQ(RunInChild([] { return 0; }, Short()), ProbeOutcome::Passed);
    EXPECT_EQ(RunInChild([] { return 3; }, Short()), ProbeOutcome::Failed);
    EXPECT_EQ(RunInChild([]() -> int { throw std::runtime_error("no"); }, Short()),
              ProbeOutcome::Failed);
}

TEST(ChildProbeTest, CrashIsContained)
{
    const ProbeOutcome outcome = RunInChild(
        [] {
            std::raise(SIGSEGV);
            return 0;
        },
        Short());
#if defined(ZELMORA_ADDRESS_SANITIZER)
    // The sanitizer catches the signal itself and exits with an error, or is
    // still symbolizing its report at the time limit.
    EXPECT_TRUE(outcome == ProbeOutcome::Failed || outcome == ProbeOutcome::TimedOut);
#else
    EXPECT_EQ(outcome, ProbeOutcome::Crashed);
#endif
}

TEST(ChildProbeTest, EndlessLoopIsKilledAtTheTimeLimit)
{
    EXPECT_EQ(RunInChild(
                  []
                  {
                      for (volatile bool forever = true; forever;)
                      {
                      }
                      return 0;
                  },
                  Short()),
              ProbeOutcome::TimedOut);
    EXPECT_EQ(RunInChild(
                  []
                  {
                      pause();
                      return 0;
                  },
                  Short()),
              ProbeOutcome::TimedOut);
}

#if !defined(ZELMORA_ADDRESS_SANITIZER)
TEST(ChildProbeTest, MemoryBeyondTheBudgetIsRefusedInTheChild)
{
    ProbeLimits limits = Short();
    limits.nMemoryBytes = 64LL << 20;
    const ProbeOutcome outcome = RunInChild(
        []
        {
            std::vector<char> hog(size_t(256) << 20);
            std::memset(hog.data(), 1, hog.size());
            return int(hog[12345]) - 1;
        },
        limits);
    EXPECT_NE(outcome, ProbeOutcome::Passed);
}
#endif
