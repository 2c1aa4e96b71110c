#pragma once

// The single-instance rule: one running copy per user and name. The original named event is
// replaced by an exclusive lock on a file in the user's runtime folder; the lock belongs to
// the process, so a copy that crashed releases it and never blocks the next start.

#include <string>

namespace kf {

class SingleInstance
{
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock for name ("EVENT_KEYFARERTUTOR"). False when another process holds it
    // (or the lock file cannot be made: then the program runs, it just cannot tell).
    bool Acquire(const std::string& name);
    // True when Acquire failed because another copy runs.
    bool AnotherCopyRuns() const { return m_otherRuns; }
    void Release();

    // The folder the lock files live in: $XDG_RUNTIME_DIR, else /tmp.
    static std::string LockFolder();

private:
    int m_fd = -1;
    bool m_otherRuns = false;
};

} // namespace kf
