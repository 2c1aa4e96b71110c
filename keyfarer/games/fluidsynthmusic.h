#pragma once

// The FluidSynth back end of the background music: a software synthesiser with a General
// MIDI sound font that plays MIDI files through the desktop's sound server. Where there is
// no sound server or no sound font, Open() fails quickly and the music stays off.
//
// Sound font: the first that exists of $KEYFARER_SOUNDFONT, the installation's
// "music\*.sf2", and the system's General MIDI fonts (/usr/share/sounds/sf2/default-GM.sf2,
// FluidR3_GM.sf2, TimGM6mb.sf2, /usr/share/soundfonts/default.sf2).

#include "games/musicbackend.h"

#include <memory>
#include <string>
#include <string_view>

namespace kf {

// The sound font to use (a POSIX path), empty when none is installed. installFolder is the
// stored path of the installation folder, or empty.
std::string FindSoundFont(std::u16string_view installFolder = {});

// The back end for the program. An empty soundFont means FindSoundFont().
std::unique_ptr<MusicBackend> MakeFluidSynthBackend(std::string soundFont = {});

// Renders a MIDI file with FluidSynth's file renderer (no sound output needed) into a 16-bit
// stereo WAV file at 44100 Hz, stopping after maxSeconds of music. False when the sound font
// or the MIDI file cannot be loaded or the file cannot be written.
bool RenderMidiToWav(const std::string& midiPath, const std::string& soundFont, const std::string& wavPath,
                     double maxSeconds);

} // namespace kf
