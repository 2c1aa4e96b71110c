#pragma once

// MidiFile: a Standard MIDI File (format 1) in memory, written and read back byte for byte.
//
// Byte order big-endian, as the format has it.
//
//   chunk  offset  size  field
//   MThd   0       4     "MThd"
//          4       4     6 (header length)
//          8       2     format: 1 (several tracks played together)
//          10      2     number of tracks
//          12      2     ticks per quarter note
//   MTrk   0       4     "MTrk"
//          4       4     length of the events in bytes
//          8       ...   events: variable-length delta time, then a channel message
//                        (status 0x80-0xEF with 1 or 2 data bytes), a meta event
//                        (0xFF, type, variable length, data) or a system exclusive message
//                        (0xF0/0xF7, variable length, data); the last is the meta event
//                        end of track (FF 2F 00)
//
// The writer emits every status byte (no running status) and sorts each track's events by
// time, note-offs before note-ons at the same tick so that a repeated note is struck anew.
// The reader accepts running status, as other writers use it.

#include <cstdint>
#include <string>
#include <vector>

namespace kf::midi {

using Bytes = std::vector<uint8_t>;

struct MidiEvent
{
    uint32_t tick = 0;   // absolute time in ticks
    Bytes data;          // as in the file: status and data bytes, FF type length data for a
                         // meta event, F0/F7 length data for a system exclusive message

    bool IsNoteOn() const { return data.size() == 3 && (data[0] & 0xF0) == 0x90 && data[2] != 0; }
    bool IsNoteOff() const
    {
        return data.size() == 3 && ((data[0] & 0xF0) == 0x80 || ((data[0] & 0xF0) == 0x90 && data[2] == 0));
    }
    bool IsMeta(uint8_t type) const { return data.size() >= 2 && data[0] == 0xFF && data[1] == type; }
};

struct MidiTrack
{
    // The writer ends the track after its last event, or at the latest end-of-track event
    // given, so that every track of a tune can end with the tune.
    std::vector<MidiEvent> events;
};

namespace meta {
constexpr uint8_t kTrackName = 0x03;
constexpr uint8_t kEndOfTrack = 0x2F;
constexpr uint8_t kTempo = 0x51;
constexpr uint8_t kTimeSignature = 0x58;
constexpr uint8_t kKeySignature = 0x59;
} // namespace meta

class MidiFile
{
public:
    uint16_t ticksPerQuarter = 480;
    std::vector<MidiTrack> tracks;

    // The file's bytes.
    Bytes Write() const;
    // Parses a file; false with the reason (chunk, track, byte offset) in error.
    static bool Read(const Bytes& bytes, MidiFile& out, std::string& error);

    // The tick of the last event over all tracks.
    uint32_t LastTick() const;
};

// Event builders.
MidiEvent NoteOn(uint32_t tick, int channel, int key, int velocity);
MidiEvent NoteOff(uint32_t tick, int channel, int key);
MidiEvent ProgramChange(uint32_t tick, int channel, int program);
MidiEvent Controller(uint32_t tick, int channel, int controller, int value);
MidiEvent Tempo(uint32_t tick, uint32_t microsecondsPerQuarter);
MidiEvent TimeSignature(uint32_t tick, int numerator, int denominator);
MidiEvent TrackName(uint32_t tick, const std::string& name);

// Microseconds per quarter note of the first tempo event (500000, 120 per minute, without one).
uint32_t FirstTempo(const MidiFile& file);
// The playing time in seconds under a single tempo.
double DurationSeconds(const MidiFile& file);

} // namespace kf::midi
