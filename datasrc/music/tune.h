#pragma once

// The team's readable note data for the background music, and its rendering into a MIDI file.
//
// A tune file is plain text, one statement a line; "#" starts a comment.
//
//   title  Morning Desk                     the track name of the conductor track
//   file   mainbackgnd.mid                  the file the tune is written to
//   tempo  84                               quarter notes per minute
//   meter  4/4                              beats per bar / beat unit (2, 4 or 8)
//   voice  NAME key=value ...               one MIDI track and channel per voice:
//            program=0-127 (General MIDI, counted from 0)  channel=0-15 (never 9, drums)
//            volume= pan= reverb= chorus= (controllers 7, 10, 91, 93)  velocity=1-127
//            style=pad|arpeggio|waltz|bass|broken  range=LOW-HIGH (MIDI keys)
//          a voice without a style plays the notes written for it; a styled voice plays
//          the section's chords in its pattern within its range, each chord voiced as
//          close as it can to the one before
//   section NAME ... end                    a part of the tune:
//     chords  C | Am7 | F G:1 Gsus4:1 | ...  one bar per "|"; a chord lasts its ":beats" or
//                                           shares what is left of the bar evenly
//     NAME    e5:4 g5:8 a5:8 g5:2 | ...      notes of a voice, bar by bar
//   form   A A B A                          the sections in playing order
//
// Notes: a letter a-g, accidentals "#" or "b", an octave (c4 is middle C, key 60), then
// ":" and a length: 1 2 4 8 16 32, "." for dotted, "t" for a triplet, "+" to tie lengths
// (c5:2+8). "r:4" is a rest; "[c4 e4 g4]:2" strikes several keys together. The dynamics
// pp p mp mf f set the loudness of the notes after them. Every bar must fill the meter
// exactly, and every voice written in a section must last as long as its chords.
//
// Chords: a root (C, F#, Bb ...), a quality ("" major, m, 7, maj7, m7, 6, m6, 9, maj9, m9,
// add9, madd9, sus2, sus4, 7sus4, dim, aug) and optionally "/" and a bass note (C/E).

#include "midifile.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kf::midi {

struct TuneVoice
{
    std::string name;
    int program = 0;
    int channel = 0;
    int volume = 90;
    int pan = 64;
    int reverb = 40;
    int chorus = 0;
    int velocity = 72;
    std::string style; // empty: written notes
    int low = 48;
    int high = 72;
};

struct TuneChord
{
    int root = 0;               // pitch class 0-11
    std::vector<int> intervals; // semitones above the root
    int bass = 0;               // pitch class of the bass note
    uint32_t start = 0;         // ticks from the start of the section
    uint32_t length = 0;
};

struct TuneNote
{
    int key = 60;
    uint32_t start = 0;
    uint32_t length = 0;
    int velocity = 72;
};

struct TuneSection
{
    std::string name;
    uint32_t length = 0;       // ticks
    std::vector<TuneChord> chords;
    std::map<std::string, std::vector<TuneNote>> notes; // by voice
    std::map<std::string, uint32_t> written;            // the length written for each voice
};

struct Tune
{
    static constexpr uint16_t kTicksPerQuarter = 480;

    std::string title;
    std::string file;
    int tempo = 90;
    int beatsPerBar = 4;
    int beatUnit = 4;
    std::vector<TuneVoice> voices;
    std::map<std::string, TuneSection> sections;
    std::vector<std::string> form;

    uint32_t BeatTicks() const { return kTicksPerQuarter * 4 / static_cast<uint32_t>(beatUnit); }
    uint32_t BarTicks() const { return BeatTicks() * static_cast<uint32_t>(beatsPerBar); }
    // The playing time of the whole form in seconds.
    double Seconds() const;
};

// Parses a tune; false with "line N: reason" in error.
bool ParseTune(std::string_view text, Tune& tune, std::string& error);

// The tune as a format 1 MIDI file: a conductor track (title, tempo, meter), then one track
// per voice with its program and controllers.
MidiFile RenderTune(const Tune& tune);

// The keys a styled voice plays for one chord (exposed for the tests): the chord's pitch
// classes stacked upwards from the inversion that lies within low..high and moves least from
// previous (the middle of the range for the first chord).
std::vector<int> VoiceChord(const TuneChord& chord, int low, int high, const std::vector<int>& previous);

} // namespace kf::midi
