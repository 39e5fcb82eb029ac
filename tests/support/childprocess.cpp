#include "tests/support/childprocess.h"

#include <cerrno>
#include <cstdio>
#include <new>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The address space the process holds now, from /proc/self/statm (its first field, in pages).
std::size_t AddressSpace()
{
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    unsigned long pages = 0;
    if (f) {
        if (std::fscanf(f, "%lu", &pages) != 1)
            pages = 0;
        std::fclose(f);
    }
    return std::size_t(pages) * std::size_t(::sysconf(_SC_PAGESIZE));
}

}  // namespace

ChildEnd RunInChild(const std::function<int()>& f)
{
    std::fflush(nullptr);
    ChildEnd end;
    const pid_t child = ::fork();
    if (child < 0)
        return end;
    if (child == 0) {
        // A child killed on purpose writes no core file.
        rlimit noCore{};
        ::setrlimit(RLIMIT_CORE, &noCore);
        int code = 125;
        try {
            code = f();
        } catch (...) {
            code = 126;
        }
        ::_exit(code);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return end;
    if (WIFEXITED(status))
        end.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        end.signal = WTERMSIG(status);
    return end;
}

CappedRun RunWithMemoryCap(std::size_t headroom, const std::function<bool()>& f)
{
    const ChildEnd end = RunInChild([&] {
        rlimit cap{};
        cap.rlim_cur = cap.rlim_max = AddressSpace() + headroom;
        ::setrlimit(RLIMIT_AS, &cap);
        try {
            return f() ? 0 : 1;
        } catch (const std::bad_alloc&) {
            return 2;
        }
    });
    switch (end.exitCode) {
    case 0:
        return CappedRun::Passed;
    case 1:
        return CappedRun::Failed;
    case 2:
        return CappedRun::OutOfMemory;
    default:
        return CappedRun::Crashed;
    }
}

const char* CappedRunName(CappedRun r)
{
    switch (r) {
    case CappedRun::Passed:
        return "passed";
    case CappedRun::Failed:
        return "failed";
    case CappedRun::OutOfMemory:
        return "out of memory";
    case CappedRun::Crashed:
        return "crashed";
    }
    return "?";
}
