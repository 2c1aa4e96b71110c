#pragma once

// The page turn of the standard typing view and the keystrokes that arrive while it runs.
//
// CStandPageTurn: the new page is revealed over the old one by one of three effects: it
// slides in from the top, it pushes the old page up, or a wipe uncovers it from left to
// right. Every effect moves 5 pixels per 2 milliseconds; the animation is driven by the time
// that has passed, so a slow repaint shortens the turn instead of stretching it.
//
// CStandKeystrokeQueue: the view must not judge a keystroke against a page that is not yet
// shown, and must not lose or reorder one. While a page turns (or while earlier keystrokes
// are still waiting) every keystroke joins the queue; when the turn ends the keystrokes are
// handed back one by one, in the order they came, until the queue is empty or one of them
// starts the next turn, after which the rest waits for that turn's end.

#include "session/standviewlayout.h"

#include <cstdint>
#include <deque>
#include <functional>

namespace kf {

enum class PageTurnEffect : uint8_t {
    SlideFromTop = 0,
    PushUp = 1,
    Wipe = 2,
};
inline constexpr int kPageTurnEffects = 3;

// Where the two page pictures go on one frame: the part src of a picture (in its own
// coordinates) is drawn at dst. An empty rectangle draws nothing.
struct PageTurnFrame
{
    StandRect oldSrc, oldDst;
    StandRect newSrc, newDst;
};

class CStandPageTurn
{
public:
    static constexpr int kPixelsPerStep = 5;
    static constexpr int kMillisecondsPerStep = 2;

    // Starts a turn over a picture of width x height at time now (milliseconds).
    void Start(PageTurnEffect effect, int width, int height, uint32_t now);
    // Moves to the time now; false once the turn has reached its end (or none runs).
    bool Advance(uint32_t now);
    // Ends the turn at once.
    void Finish()
    {
        m_running = false;
        m_offset = m_extent;
    }
    bool Running() const { return m_running; }
    PageTurnEffect Effect() const { return m_effect; }
    // Pixels uncovered so far, and the total (the height, or the width for the wipe).
    int Offset() const { return m_offset; }
    int Extent() const { return m_extent; }
    PageTurnFrame Frame() const;

private:
    PageTurnEffect m_effect = PageTurnEffect::SlideFromTop;
    int m_width = 0;
    int m_height = 0;
    int m_extent = 0;
    int m_offset = 0;
    uint32_t m_start = 0;
    bool m_running = false;
};

// A keystroke as the desk receives it.
struct TypedKeystroke
{
    char16_t code = 0;
    int repeat = 1;
    uint32_t flags = 0;
    friend bool operator==(const TypedKeystroke&, const TypedKeystroke&) = default;
};

class CStandKeystrokeQueue
{
public:
    using Sink = std::function<void(const TypedKeystroke&)>;
    using BusyTest = std::function<bool()>;

    // sink judges one keystroke; busy says whether a page is turning.
    void SetSink(Sink sink) { m_sink = std::move(sink); }
    void SetBusy(BusyTest busy) { m_busy = std::move(busy); }

    // Hands the keystroke to the sink at once when nothing waits and no page turns; queues
    // it otherwise.
    void Submit(const TypedKeystroke& key);
    // Hands the waiting keystrokes to the sink in order while no page turns. Safe to call
    // from inside the sink (a nested call returns at once and the outer loop goes on).
    void Drain();
    // Forgets the waiting keystrokes (the exercise ended).
    void Clear() { m_waiting.clear(); }
    size_t Waiting() const { return m_waiting.size(); }

private:
    bool IsBusy() const { return m_busy && m_busy(); }

    Sink m_sink;
    BusyTest m_busy;
    std::deque<TypedKeystroke> m_waiting;
    bool m_draining = false;
};

} // namespace kf
