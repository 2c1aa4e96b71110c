#include "midifile.h"

#include <algorithm>
#include <cstddef>

namespace kf::midi {
namespace {

void PutU32(Bytes& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}
void PutU16(Bytes& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}
// Variable-length quantity: 7 bits a byte, most significant first, high bit on all but the last.
void PutVarLen(Bytes& out, uint32_t v)
{
    uint8_t buf[5];
    int n = 0;
    buf[n++] = static_cast<uint8_t>(v & 0x7F);
    while (v >>= 7)
        buf[n++] = static_cast<uint8_t>((v & 0x7F) | 0x80);
    while (n > 0)
        out.push_back(buf[--n]);
}

// Order within one tick: meta events first (tempo, names), then controllers and programs,
// then note-offs, then note-ons.
int Rank(const MidiEvent& e)
{
    if (!e.data.empty() && e.data[0] == 0xFF)
        return 0;
    if (e.IsNoteOff())
        return 2;
    if (e.IsNoteOn())
        return 3;
    return 1;
}

class Reader
{
public:
    Reader(const Bytes& b, size_t pos, size_t end) : m_b(b), m_pos(pos), m_end(end) {}
    bool AtEnd() const { return m_pos >= m_end; }
    size_t Pos() const { return m_pos; }
    bool Byte(uint8_t& v)
    {
        if (m_pos >= m_end)
            return false;
        v = m_b[m_pos++];
        return true;
    }
    bool VarLen(uint32_t& v)
    {
        v = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t c = 0;
            if (!Byte(c))
                return false;
            v = (v << 7) | (c & 0x7F);
            if (!(c & 0x80))
                return true;
        }
        return false; // longer than four bytes
    }
    bool Take(size_t n, Bytes& out)
    {
        if (m_end - m_pos < n)
            return false;
        out.insert(out.end(), m_b.begin() + static_cast<std::ptrdiff_t>(m_pos),
                   m_b.begin() + static_cast<std::ptrdiff_t>(m_pos + n));
        m_pos += n;
        return true;
    }

private:
    const Bytes& m_b;
    size_t m_pos;
    size_t m_end;
};

uint32_t GetU32(const Bytes& b, size_t at)
{
    return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) | b[at + 3];
}
uint16_t GetU16(const Bytes& b, size_t at) { return static_cast<uint16_t>((b[at] << 8) | b[at + 1]); }

bool Fail(std::string& error, const std::string& why)
{
    error = why;
    return false;
}

// Data bytes after a channel status byte.
int DataBytes(uint8_t status)
{
    const uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

} // namespace

Bytes MidiFile::Write() const
{
    Bytes out{'M', 'T', 'h', 'd'};
    PutU32(out, 6);
    PutU16(out, 1);
    PutU16(out, static_cast<uint16_t>(tracks.size()));
    PutU16(out, ticksPerQuarter);
    for (const MidiTrack& track : tracks) {
        std::vector<MidiEvent> events = track.events;
        std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
            return a.tick != b.tick ? a.tick < b.tick : Rank(a) < Rank(b);
        });
        Bytes body;
        uint32_t now = 0;
        uint32_t end = 0;
        for (const MidiEvent& e : events) {
            if (e.IsMeta(meta::kEndOfTrack)) {
                end = std::max(end, e.tick);
                continue;
            }
            PutVarLen(body, e.tick - now);
            now = e.tick;
            body.insert(body.end(), e.data.begin(), e.data.end());
        }
        PutVarLen(body, end > now ? end - now : 0);
        body.insert(body.end(), {0xFF, meta::kEndOfTrack, 0x00});
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        PutU32(out, static_cast<uint32_t>(body.size()));
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

bool MidiFile::Read(const Bytes& b, MidiFile& out, std::string& error)
{
    out = MidiFile();
    if (b.size() < 14 || b[0] != 'M' || b[1] != 'T' || b[2] != 'h' || b[3] != 'd')
        return Fail(error, "no MThd header");
    const uint32_t headerLength = GetU32(b, 4);
    if (headerLength < 6 || headerLength > b.size() - 8)
        return Fail(error, "header length " + std::to_string(headerLength) + " does not fit the file");
    const uint16_t format = GetU16(b, 8);
    const uint16_t count = GetU16(b, 10);
    out.ticksPerQuarter = GetU16(b, 12);
    if (format > 1)
        return Fail(error, "format " + std::to_string(format) + " is not 0 or 1");
    if (out.ticksPerQuarter == 0 || (out.ticksPerQuarter & 0x8000))
        return Fail(error, "division is not in ticks per quarter note");
    size_t pos = 8 + headerLength;
    for (uint16_t t = 0; t < count; ++t) {
        const std::string where = "track " + std::to_string(t);
        if (b.size() - pos < 8 || b[pos] != 'M' || b[pos + 1] != 'T' || b[pos + 2] != 'r' || b[pos + 3] != 'k')
            return Fail(error, where + ": no MTrk chunk at byte " + std::to_string(pos));
        const uint32_t length = GetU32(b, pos + 4);
        if (length > b.size() - pos - 8)
            return Fail(error, where + ": length " + std::to_string(length) + " exceeds the file");
        Reader r(b, pos + 8, pos + 8 + length);
        MidiTrack track;
        uint32_t now = 0;
        uint8_t running = 0;
        bool ended = false;
        while (!r.AtEnd()) {
            const std::string at = where + " byte " + std::to_string(r.Pos());
            if (ended)
                return Fail(error, at + ": events after the end of track");
            uint32_t delta = 0;
            if (!r.VarLen(delta))
                return Fail(error, at + ": bad delta time");
            now += delta;
            uint8_t status = 0;
            if (!r.Byte(status))
                return Fail(error, at + ": missing event");
            MidiEvent e;
            e.tick = now;
            if (status == 0xFF) {
                uint8_t type = 0;
                uint32_t len = 0;
                if (!r.Byte(type) || !r.VarLen(len))
                    return Fail(error, at + ": bad meta event");
                // Kept as written, the length included, so that the writer gives it back.
                e.data = {0xFF, type};
                PutVarLen(e.data, len);
                if (!r.Take(len, e.data))
                    return Fail(error, at + ": meta event longer than the track");
                ended = type == meta::kEndOfTrack;
            } else if (status == 0xF0 || status == 0xF7) {
                uint32_t len = 0;
                if (!r.VarLen(len))
                    return Fail(error, at + ": bad system exclusive length");
                e.data = {status};
                PutVarLen(e.data, len);
                if (!r.Take(len, e.data))
                    return Fail(error, at + ": system exclusive longer than the track");
            } else if (status >= 0xF0) {
                return Fail(error, at + ": system message in a file");
            } else {
                size_t have = 0;
                if (status & 0x80) {
                    running = status;
                } else {
                    if (!running)
                        return Fail(error, at + ": data byte without a status");
                    e.data.push_back(status); // the first data byte
                    have = 1;
                    status = running;
                }
                e.data.insert(e.data.begin(), status);
                const int need = DataBytes(status);
                for (int i = static_cast<int>(have); i < need; ++i) {
                    uint8_t d = 0;
                    if (!r.Byte(d) || (d & 0x80))
                        return Fail(error, at + ": bad data byte");
                    e.data.push_back(d);
                }
            }
            track.events.push_back(std::move(e));
        }
        if (!ended)
            return Fail(error, where + ": no end of track");
        out.tracks.push_back(std::move(track));
        pos += 8 + length;
    }
    return true;
}

uint32_t MidiFile::LastTick() const
{
    uint32_t last = 0;
    for (const auto& t : tracks)
        for (const auto& e : t.events)
            last = std::max(last, e.tick);
    return last;
}

MidiEvent NoteOn(uint32_t tick, int channel, int key, int velocity)
{
    return {tick, {static_cast<uint8_t>(0x90 | (channel & 0xF)), static_cast<uint8_t>(key & 0x7F),
                   static_cast<uint8_t>(std::clamp(velocity, 1, 127))}};
}
MidiEvent NoteOff(uint32_t tick, int channel, int key)
{
    return {tick, {static_cast<uint8_t>(0x80 | (channel & 0xF)), static_cast<uint8_t>(key & 0x7F), 64}};
}
MidiEvent ProgramChange(uint32_t tick, int channel, int program)
{
    return {tick, {static_cast<uint8_t>(0xC0 | (channel & 0xF)), static_cast<uint8_t>(program & 0x7F)}};
}
MidiEvent Controller(uint32_t tick, int channel, int controller, int value)
{
    return {tick, {static_cast<uint8_t>(0xB0 | (channel & 0xF)), static_cast<uint8_t>(controller & 0x7F),
                   static_cast<uint8_t>(std::clamp(value, 0, 127))}};
}
MidiEvent Tempo(uint32_t tick, uint32_t us)
{
    return {tick, {0xFF, meta::kTempo, 3, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
                   static_cast<uint8_t>(us)}};
}
MidiEvent TimeSignature(uint32_t tick, int numerator, int denominator)
{
    uint8_t power = 0;
    while ((1 << power) < denominator)
        ++power;
    return {tick, {0xFF, meta::kTimeSignature, 4, static_cast<uint8_t>(numerator), power, 24, 8}};
}
MidiEvent TrackName(uint32_t tick, const std::string& name)
{
    MidiEvent e{tick, {0xFF, meta::kTrackName}};
    Bytes len;
    PutVarLen(len, static_cast<uint32_t>(name.size()));
    e.data.insert(e.data.end(), len.begin(), len.end());
    e.data.insert(e.data.end(), name.begin(), name.end());
    return e;
}

uint32_t FirstTempo(const MidiFile& file)
{
    for (const auto& t : file.tracks)
        for (const auto& e : t.events)
            if (e.IsMeta(meta::kTempo) && e.data.size() == 6)
                return (uint32_t{e.data[3]} << 16) | (uint32_t{e.data[4]} << 8) | e.data[5];
    return 500000;
}

double DurationSeconds(const MidiFile& file)
{
    return static_cast<double>(file.LastTick()) / file.ticksPerQuarter * FirstTempo(file) / 1e6;
}

} // namespace kf::midi
