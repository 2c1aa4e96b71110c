#pragma once

// Asynchronous playback of short wave files (interface and game sounds). A machine without
// an audio output plays nothing and reports nothing.

#include <memory>
#include <string>
#include <string_view>

namespace kf {

class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Starts playing the file (stored path) and returns at once; a missing or unplayable
    // file plays nothing.
    virtual void Play(std::u16string_view path) = 0;
    // Stops what this player is playing.
    virtual void StopAll() = 0;
};

// The player in use (Qt Multimedia by default); tests replace it.
SoundPlayer& Sounds();
void SetSoundPlayer(std::unique_ptr<SoundPlayer> player);

} // namespace kf
