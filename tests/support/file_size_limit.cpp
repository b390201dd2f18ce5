#include "support/file_size_limit.h"

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace torbex::testing {

bool underFileSizeLimit(long limitBytes, const std::function<bool()>& body) {
    std::fflush(nullptr);  // else the child writes out the parent's pending output too
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(limitBytes), static_cast<rlim_t>(limitBytes)};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(2);
        // _exit: the parent's objects are not the child's to tear down.
        const bool passed = body();
        std::fflush(nullptr);  // the failures its assertions printed
        _exit(passed ? 0 : 1);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace torbex::testing
