#pragma once
// Runs a piece of a test in a child process: for faults where a reader sizes its buffers from a
// file's claims (under a memory cap the child fails to allocate instead of taking the machine's
// memory), and for work that is killed part-way (what a kill leaves behind, seen by the parent).
// Only the end comes back: the child's effects on memory stay in the child.
#include <cstddef>
#include <functional>

struct ChildEnd {
    int exitCode = -1;  // the child's exit code, when it ended by itself
    int signal = 0;     // the signal that ended it, else 0
};

// Forks and runs f in the child, which ends with f's result as its exit code.
ChildEnd RunInChild(const std::function<int()>& f);

enum class CappedRun {
    Passed,       // f returned true
    Failed,       // f returned false
    OutOfMemory,  // an allocation failed (std::bad_alloc)
    Crashed,      // another exception, or a signal ended the child
};

// Runs f in a child whose address space may grow by at most `headroom` bytes beyond what it holds
// at the fork.
CappedRun RunWithMemoryCap(std::size_t headroom, const std::function<bool()>& f);
const char* CappedRunName(CappedRun r);
