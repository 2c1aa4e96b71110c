#pragma once

// AutoResetEvent: a named event that wakes one waiting thread and resets itself when that
// thread wakes, as the music player's "PLAY_MUSIC" event is specified. The name is kept for
// diagnostics only; the event is private to the process.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

namespace kf {

class AutoResetEvent
{
public:
    explicit AutoResetEvent(std::string name) : m_name(std::move(name)) {}

    // Signals the event; a signal that nobody waits for is kept until the next wait.
    void Set()
    {
        {
            std::lock_guard lock(m_mutex);
            m_signalled = true;
        }
        m_cv.notify_one();
    }

    // Waits until the event is signalled or the time is up; true (and the event reset) when
    // it was signalled.
    bool WaitFor(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        if (!m_cv.wait_for(lock, timeout, [this] { return m_signalled; }))
            return false;
        m_signalled = false;
        return true;
    }

    const std::string& Name() const { return m_name; }

private:
    std::string m_name;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_signalled = false;
};

} // namespace kf
