#pragma once

#include <string>

namespace pw {

/// The rule that one installation runs once per user: the first copy holds a lock that the
/// system releases when the copy ends, however it ends, so a crash leaves nothing stale.
class SingleInstance
{
public:
    /// The key of the installation in `programFolder`, stable from run to run; it names the
    /// lock and the channel through which a second copy hands its files to the first.
    static std::string KeyFor(const std::string& programFolder);

    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// Takes the lock for `key`. Returns false when another copy holds it (or, so that the
    /// program can still start, never when the lock file cannot be made at all).
    bool Acquire(const std::string& key);

private:
    int m_fd = -1;
};

} // namespace pw
