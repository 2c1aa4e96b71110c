#pragma once

// MusicBackend: what the background-music player needs of a MIDI player. The player's worker
// thread creates one, makes every call on it from that thread, and destroys it there; an
// implementation may run threads of its own (an audio driver) behind it.

#include <string>

namespace kf {

class MusicBackend
{
public:
    virtual ~MusicBackend() = default;

    // Prepares the sound output; false when there is none (no sound server, no device, no
    // instrument sounds), and the player then stays silent for the run.
    virtual bool Open() = 0;
    // Stops what plays and starts the MIDI file (a POSIX path) from its beginning; false when
    // the file cannot be played.
    virtual bool Play(const std::string& path) = 0;
    // Stops and forgets the current file; notes that sound are silenced (after a file that
    // played to its end, what still rings may ring out).
    virtual void Stop() = 0;
    // Holds the current file where it is, silencing its notes; Resume goes on from there.
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // True once the current file has played to its end (never while paused or stopped).
    virtual bool Finished() = 0;
    // Releases the sound output.
    virtual void Close() = 0;
};

} // namespace kf
