#include "clock.h"

#include <chrono>
#include <ctime>
#include <mutex>

namespace kf {

namespace {
std::mutex g_tickMutex;
std::function<uint32_t()> g_tickSource;

LocalDateTime FromTm(const std::tm& tm, uint16_t ms)
{
    LocalDateTime t;
    t.year = static_cast<uint16_t>(tm.tm_year + 1900);
    t.month = static_cast<uint16_t>(tm.tm_mon + 1);
    t.dayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    t.day = static_cast<uint16_t>(tm.tm_mday);
    t.hour = static_cast<uint16_t>(tm.tm_hour);
    t.minute = static_cast<uint16_t>(tm.tm_min);
    t.second = static_cast<uint16_t>(tm.tm_sec);
    t.milliseconds = ms;
    return t;
}
} // namespace

uint32_t TickCount()
{
    {
        std::lock_guard lock(g_tickMutex);
        if (g_tickSource)
            return g_tickSource();
    }
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void SetTickSourceForTesting(std::function<uint32_t()> source)
{
    std::lock_guard lock(g_tickMutex);
    g_tickSource = std::move(source);
}

LocalDateTime LocalNow()
{
    const auto now = std::chrono::system_clock::now();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    return FromTm(tm, static_cast<uint16_t>(ms));
}

LocalDateTime LocalFromSeconds(int64_t seconds)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    localtime_r(&t, &tm);
    return FromTm(tm, 0);
}

int64_t SecondsSince1970()
{
    return static_cast<int64_t>(std::time(nullptr));
}

} // namespace kf
