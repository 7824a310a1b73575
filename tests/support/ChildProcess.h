#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The sanitizer's shadow memory takes terabytes of address space: no limit on it can be tried there.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool ADDRESS_SANITIZER = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool ADDRESS_SANITIZER = true;
#else
inline constexpr bool ADDRESS_SANITIZER = false;
#endif
#else
inline constexpr bool ADDRESS_SANITIZER = false;
#endif

// Runs `work` in a child process that is ended after `seconds`, its address space limited (not under the
// sanitizer): a read that waits on a pipe or reads a device for ever fails the test instead of hanging
// the suite or filling the memory. What the child leaves on disk stays for the caller to check.
inline ::testing::AssertionResult succeedsInChild(const std::function<bool()>& work, unsigned seconds = 10,
                                                  rlim_t addressSpace = rlim_t(8) << 30) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(seconds);
        const rlimit limit{addressSpace, addressSpace};
        ::_exit(!ADDRESS_SANITIZER && ::setrlimit(RLIMIT_AS, &limit) != 0 ? 2 : work() ? 0 : 1);
    }
    int status = 0;
    while (child > 0 && ::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return ::testing::AssertionFailure() << "the child failed (status " << status
                                             << (WTERMSIG(status) == SIGALRM ? ": too slow)" : ")");
    return ::testing::AssertionSuccess();
}
