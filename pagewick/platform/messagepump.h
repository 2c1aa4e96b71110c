#pragma once

#include <cstdint>

namespace pw {

/// Keeps the user interface alive while a long call (a conversion, a folder search) runs on the
/// interface thread.
class MessagePump
{
public:
    virtual ~MessagePump() = default;
    /// Handles everything that waits for the user interface (paints, timers, clicks), then returns.
    virtual void DispatchPending() = 0;
    /// Waits at least `MilliSeconds` while handling the user interface. Returns false when the
    /// wait was given up because the program is leaving; the caller then stops what it does.
    virtual bool Wait(std::int32_t MilliSeconds) = 0;
};

} // namespace pw
