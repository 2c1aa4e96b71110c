#include "tune.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <set>
#include <sstream>

namespace kf::midi {
namespace {

constexpr uint32_t kWhole = Tune::kTicksPerQuarter * 4;

std::vector<std::string> Words(std::string_view line)
{
    std::vector<std::string> out;
    std::istringstream in{std::string(line)};
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

bool ParseInt(std::string_view s, int& v)
{
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// A pitch class from a note letter and its accidentals ("f#", "Bb"); nullopt when it is none.
std::optional<int> PitchClass(std::string_view s, size_t& used)
{
    static constexpr int kLetters[7] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    if (s.empty())
        return std::nullopt;
    const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(s[0])));
    if (l < 'a' || l > 'g')
        return std::nullopt;
    int pc = kLetters[l - 'a'];
    used = 1;
    while (used < s.size() && (s[used] == '#' || s[used] == 'b')) {
        pc += s[used] == '#' ? 1 : -1;
        ++used;
    }
    return (pc % 12 + 12) % 12;
}

// "c4" -> 60; nullopt when it is not a note within the MIDI range.
std::optional<int> NoteKey(std::string_view s)
{
    size_t used = 0;
    const auto pc = PitchClass(s, used);
    if (!pc)
        return std::nullopt;
    int octave = 0;
    if (!ParseInt(s.substr(used), octave) || octave < -1 || octave > 9)
        return std::nullopt;
    // B#4 and Cb4 cross the octave line the way they sound.
    const int letter = std::tolower(static_cast<unsigned char>(s[0]));
    int key = 12 * (octave + 1) + *pc;
    const int natural = 12 * (octave + 1) + std::array<int, 7>{9, 11, 0, 2, 4, 5, 7}[letter - 'a'];
    if (key - natural > 6)
        key -= 12;
    else if (natural - key > 6)
        key += 12;
    if (key < 0 || key > 127)
        return std::nullopt;
    return key;
}

// "4", "8.", "2+8", "8t" -> ticks; nullopt when it is not a length.
std::optional<uint32_t> Length(std::string_view s)
{
    uint32_t total = 0;
    while (!s.empty()) {
        const size_t plus = s.find('+');
        std::string_view part = s.substr(0, plus);
        s = plus == std::string_view::npos ? std::string_view() : s.substr(plus + 1);
        if (plus != std::string_view::npos && s.empty())
            return std::nullopt;
        bool dotted = false;
        bool triplet = false;
        while (!part.empty() && (part.back() == '.' || part.back() == 't')) {
            (part.back() == '.' ? dotted : triplet) = true;
            part.remove_suffix(1);
        }
        int d = 0;
        if (!ParseInt(part, d) || (d != 1 && d != 2 && d != 4 && d != 8 && d != 16 && d != 32))
            return std::nullopt;
        uint32_t ticks = kWhole / static_cast<uint32_t>(d);
        if (dotted)
            ticks = ticks * 3 / 2;
        if (triplet)
            ticks = ticks * 2 / 3;
        total += ticks;
    }
    if (total == 0)
        return std::nullopt;
    return total;
}

const std::map<std::string, std::vector<int>>& Qualities()
{
    static const std::map<std::string, std::vector<int>> q = {
        {"", {0, 4, 7}},          {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},
        {"maj7", {0, 4, 7, 11}},  {"m7", {0, 3, 7, 10}},     {"6", {0, 4, 7, 9}},
        {"m6", {0, 3, 7, 9}},     {"9", {0, 4, 10, 14}},     {"maj9", {0, 4, 11, 14}},
        {"m9", {0, 3, 10, 14}},   {"add9", {0, 4, 7, 14}},   {"madd9", {0, 3, 7, 14}},
        {"sus2", {0, 2, 7}},      {"sus4", {0, 5, 7}},       {"7sus4", {0, 5, 7, 10}},
        {"dim", {0, 3, 6}},       {"aug", {0, 4, 8}},
    };
    return q;
}

bool ParseChord(std::string_view s, TuneChord& chord)
{
    size_t used = 0;
    if (s.empty() || !std::isupper(static_cast<unsigned char>(s[0])))
        return false;
    const auto root = PitchClass(s, used);
    if (!root)
        return false;
    std::string_view rest = s.substr(used);
    chord.root = *root;
    chord.bass = *root;
    const size_t slash = rest.find('/');
    if (slash != std::string_view::npos) {
        size_t bassUsed = 0;
        const std::string_view bass = rest.substr(slash + 1);
        const auto b = PitchClass(bass, bassUsed);
        if (!b || bassUsed != bass.size() || !std::isupper(static_cast<unsigned char>(bass[0])))
            return false;
        chord.bass = *b;
        rest = rest.substr(0, slash);
    }
    const auto it = Qualities().find(std::string(rest));
    if (it == Qualities().end())
        return false;
    chord.intervals = it->second;
    return true;
}

int Dynamic(std::string_view s)
{
    if (s == "pp")
        return 40;
    if (s == "p")
        return 52;
    if (s == "mp")
        return 64;
    if (s == "mf")
        return 76;
    if (s == "f")
        return 90;
    return 0;
}

// The bars of a line: the text between "|" separators, empty ones at either end dropped.
std::vector<std::string> Bars(const std::vector<std::string>& words, size_t from)
{
    std::vector<std::string> bars(1);
    for (size_t i = from; i < words.size(); ++i) {
        if (words[i] == "|") {
            bars.emplace_back();
            continue;
        }
        // "|" may touch its neighbours: "c4:4|d4:4".
        std::string w = words[i];
        size_t at = 0;
        while ((at = w.find('|')) != std::string::npos) {
            bars.back() += (bars.back().empty() ? "" : " ") + w.substr(0, at);
            bars.emplace_back();
            w = w.substr(at + 1);
        }
        if (!w.empty())
            bars.back() += (bars.back().empty() ? "" : " ") + w;
    }
    while (!bars.empty() && Words(bars.back()).empty())
        bars.pop_back();
    while (!bars.empty() && Words(bars.front()).empty())
        bars.erase(bars.begin());
    return bars;
}

class Parser
{
public:
    explicit Parser(Tune& tune) : m_tune(tune) {}

    bool Line(int number, std::string_view raw, std::string& error)
    {
        m_line = number;
        // A "#" right after a note letter is a sharp; a comment starts at a "#" after a blank.
        size_t comment = std::string_view::npos;
        for (size_t i = 0; i < raw.size(); ++i)
            if (raw[i] == '#' && (i == 0 || raw[i - 1] == ' ' || raw[i - 1] == '\t')) {
                comment = i;
                break;
            }
        const std::vector<std::string> w = Words(raw.substr(0, comment));
        if (w.empty())
            return true;
        const std::string& key = w[0];
        if (m_section) {
            if (key == "end") {
                return EndSection(error);
            }
            if (key == "chords")
                return Chords(w, error);
            if (FindVoice(key))
                return Notes(key, w, error);
            return Fail(error, "unknown voice \"" + key + "\" in section " + m_section->name);
        }
        if (key == "title" || key == "file") {
            std::string value;
            for (size_t i = 1; i < w.size(); ++i)
                value += (i > 1 ? " " : "") + w[i];
            if (value.empty())
                return Fail(error, key + " without a value");
            (key == "title" ? m_tune.title : m_tune.file) = value;
            return true;
        }
        if (key == "tempo") {
            if (w.size() != 2 || !ParseInt(w[1], m_tune.tempo) || m_tune.tempo < 20 || m_tune.tempo > 300)
                return Fail(error, "tempo must be 20 to 300 quarter notes a minute");
            return true;
        }
        if (key == "meter") {
            const size_t slash = w.size() == 2 ? w[1].find('/') : std::string::npos;
            if (slash == std::string::npos || !ParseInt(std::string_view(w[1]).substr(0, slash), m_tune.beatsPerBar) ||
                !ParseInt(std::string_view(w[1]).substr(slash + 1), m_tune.beatUnit) || m_tune.beatsPerBar < 1 ||
                m_tune.beatsPerBar > 12 || (m_tune.beatUnit != 2 && m_tune.beatUnit != 4 && m_tune.beatUnit != 8))
                return Fail(error, "meter must be like 4/4, 3/4 or 6/8");
            return true;
        }
        if (key == "voice")
            return Voice(w, error);
        if (key == "section") {
            if (w.size() != 2)
                return Fail(error, "section needs one name");
            if (m_tune.sections.count(w[1]))
                return Fail(error, "section " + w[1] + " is defined twice");
            m_current = TuneSection();
            m_current.name = w[1];
            m_section = &m_current;
            return true;
        }
        if (key == "form") {
            for (size_t i = 1; i < w.size(); ++i)
                m_tune.form.push_back(w[i]);
            return true;
        }
        return Fail(error, "unknown statement \"" + key + "\"");
    }

    bool Finish(std::string& error)
    {
        if (m_section)
            return Fail(error, "section " + m_section->name + " has no end");
        if (m_tune.file.empty())
            return Fail(error, "no file named");
        if (m_tune.voices.empty())
            return Fail(error, "no voice");
        if (m_tune.form.empty())
            return Fail(error, "no form");
        for (const auto& name : m_tune.form)
            if (!m_tune.sections.count(name))
                return Fail(error, "the form names the unknown section " + name);
        return true;
    }

private:
    bool Fail(std::string& error, const std::string& why) const
    {
        error = "line " + std::to_string(m_line) + ": " + why;
        return false;
    }

    const TuneVoice* FindVoice(const std::string& name) const
    {
        for (const auto& v : m_tune.voices)
            if (v.name == name)
                return &v;
        return nullptr;
    }

    bool Voice(const std::vector<std::string>& w, std::string& error)
    {
        if (w.size() < 2)
            return Fail(error, "voice needs a name");
        if (FindVoice(w[1]) || w[1] == "chords" || w[1] == "end")
            return Fail(error, "voice " + w[1] + " is defined twice or has a reserved name");
        TuneVoice v;
        v.name = w[1];
        v.channel = static_cast<int>(m_tune.voices.size() >= 9 ? m_tune.voices.size() + 1 : m_tune.voices.size());
        for (size_t i = 2; i < w.size(); ++i) {
            const size_t eq = w[i].find('=');
            if (eq == std::string::npos)
                return Fail(error, "voice setting \"" + w[i] + "\" is not key=value");
            const std::string k = w[i].substr(0, eq);
            const std::string value = w[i].substr(eq + 1);
            if (k == "style") {
                if (value != "pad" && value != "arpeggio" && value != "waltz" && value != "bass" &&
                    value != "broken")
                    return Fail(error, "unknown style " + value);
                v.style = value;
                continue;
            }
            if (k == "range") {
                const size_t dash = value.find('-');
                if (dash == std::string::npos || !ParseInt(value.substr(0, dash), v.low) ||
                    !ParseInt(value.substr(dash + 1), v.high) || v.low < 12 || v.high > 115 || v.high - v.low < 12)
                    return Fail(error, "range must be LOW-HIGH, at least an octave within 12-115");
                continue;
            }
            int n = 0;
            if (!ParseInt(value, n))
                return Fail(error, "voice setting " + k + " needs a number");
            int* field = k == "program"  ? &v.program
                         : k == "channel" ? &v.channel
                         : k == "volume"  ? &v.volume
                         : k == "pan"     ? &v.pan
                         : k == "reverb"  ? &v.reverb
                         : k == "chorus"  ? &v.chorus
                         : k == "velocity" ? &v.velocity
                                           : nullptr;
            if (!field)
                return Fail(error, "unknown voice setting " + k);
            const int top = k == "channel" ? 15 : 127;
            if (n < (k == "velocity" ? 1 : 0) || n > top || (k == "channel" && n == 9))
                return Fail(error, "voice setting " + k + " out of range");
            *field = n;
        }
        m_tune.voices.push_back(v);
        return true;
    }

    bool Chords(const std::vector<std::string>& w, std::string& error)
    {
        const uint32_t bar = m_tune.BarTicks();
        const uint32_t beat = m_tune.BeatTicks();
        const std::vector<std::string> bars = Bars(w, 1);
        if (bars.empty())
            return Fail(error, "chords without a bar");
        for (size_t b = 0; b < bars.size(); ++b) {
            const std::vector<std::string> tokens = Words(bars[b]);
            const std::string where = "chord bar " + std::to_string(m_chordBars + 1) + ": ";
            if (tokens.empty())
                return Fail(error, where + "empty");
            std::vector<TuneChord> chords;
            uint32_t given = 0;
            size_t open = 0;
            for (const auto& t : tokens) {
                TuneChord c;
                const size_t colon = t.find(':');
                if (!ParseChord(std::string_view(t).substr(0, colon), c))
                    return Fail(error, where + "\"" + t + "\" is not a chord");
                if (colon != std::string::npos) {
                    int beats = 0;
                    if (!ParseInt(std::string_view(t).substr(colon + 1), beats) || beats < 1)
                        return Fail(error, where + "\"" + t + "\" has no number of beats");
                    c.length = static_cast<uint32_t>(beats) * beat;
                    given += c.length;
                } else {
                    ++open;
                }
                chords.push_back(c);
            }
            if (given > bar || (open == 0 && given != bar) || (open > 0 && (bar - given) % open != 0) ||
                (open > 0 && given == bar))
                return Fail(error, where + "the chords do not fill the bar");
            uint32_t at = m_current.length;
            for (auto& c : chords) {
                if (c.length == 0)
                    c.length = (bar - given) / static_cast<uint32_t>(open);
                c.start = at;
                at += c.length;
                m_current.chords.push_back(c);
            }
            m_current.length += bar;
            ++m_chordBars;
        }
        return true;
    }

    bool Notes(const std::string& voice, const std::vector<std::string>& w, std::string& error)
    {
        const uint32_t bar = m_tune.BarTicks();
        uint32_t& at = m_current.written[voice];
        int& velocity = m_velocity[voice];
        if (velocity == 0)
            velocity = FindVoice(voice)->velocity;
        const std::vector<std::string> bars = Bars(w, 1);
        for (const auto& barText : bars) {
            const std::vector<std::string> tokens = Words(barText);
            const uint32_t start = at;
            const std::string where = voice + " bar " + std::to_string(at / bar + 1) + ": ";
            for (size_t i = 0; i < tokens.size(); ++i) {
                std::string t = tokens[i];
                if (const int d = Dynamic(t)) {
                    velocity = d;
                    continue;
                }
                std::vector<int> keys;
                std::string lengthText;
                if (t[0] == '[') {
                    // A chord of written keys: "[c4 e4 g4]:2" (its keys may be split by blanks).
                    std::string group = t.substr(1);
                    while (group.find(']') == std::string::npos && i + 1 < tokens.size())
                        group += " " + tokens[++i];
                    const size_t close = group.find(']');
                    if (close == std::string::npos || close + 1 >= group.size() || group[close + 1] != ':')
                        return Fail(error, where + "\"[" + group + "\" needs \"]:LENGTH\"");
                    lengthText = group.substr(close + 2);
                    for (const auto& k : Words(group.substr(0, close))) {
                        const auto key = NoteKey(k);
                        if (!key)
                            return Fail(error, where + "\"" + k + "\" is not a note");
                        keys.push_back(*key);
                    }
                    if (keys.empty())
                        return Fail(error, where + "empty chord");
                } else {
                    const size_t colon = t.find(':');
                    if (colon == std::string::npos)
                        return Fail(error, where + "\"" + t + "\" has no length");
                    lengthText = t.substr(colon + 1);
                    const std::string pitch = t.substr(0, colon);
                    if (pitch != "r") {
                        const auto key = NoteKey(pitch);
                        if (!key)
                            return Fail(error, where + "\"" + pitch + "\" is not a note");
                        keys.push_back(*key);
                    }
                }
                const auto length = Length(lengthText);
                if (!length)
                    return Fail(error, where + "\"" + lengthText + "\" is not a length");
                for (int k : keys)
                    m_current.notes[voice].push_back({k, at, *length, velocity});
                at += *length;
            }
            if (at - start != bar)
                return Fail(error, where + "the notes last " + std::to_string(at - start) + " ticks, the bar " +
                                       std::to_string(bar));
        }
        return true;
    }

    bool EndSection(std::string& error)
    {
        if (m_current.length == 0)
            return Fail(error, "section " + m_current.name + " has no chords");
        for (const auto& [voice, length] : m_current.written)
            if (length != m_current.length)
                return Fail(error, "in section " + m_current.name + " voice " + voice + " lasts " +
                                       std::to_string(length / m_tune.BarTicks()) + " bars, the chords " +
                                       std::to_string(m_current.length / m_tune.BarTicks()));
        m_tune.sections[m_current.name] = m_current;
        m_section = nullptr;
        m_chordBars = 0;
        m_velocity.clear();
        return true;
    }

    Tune& m_tune;
    int m_line = 0;
    TuneSection m_current;
    TuneSection* m_section = nullptr;
    size_t m_chordBars = 0;
    std::map<std::string, int> m_velocity;
};

// Small, repeatable variations of loudness so that a pattern does not sound like a machine.
int Humanise(int velocity, uint32_t tick, int salt)
{
    const uint32_t h = (tick / 30 + 1) * 2654435761u + static_cast<uint32_t>(salt) * 40503u;
    return std::clamp(velocity + static_cast<int>((h >> 16) % 9) - 4, 1, 127);
}

int LowestWithClass(int pc, int low)
{
    int k = low;
    while (((k % 12) + 12) % 12 != pc)
        ++k;
    return k;
}

void Emit(MidiTrack& track, int channel, int key, uint32_t start, uint32_t length, int velocity)
{
    if (length == 0)
        return;
    track.events.push_back(NoteOn(start, channel, key, velocity));
    track.events.push_back(NoteOff(start + length, channel, key));
}

// The notes of a styled voice for one section, from its chords.
void PlayChords(const Tune& tune, const TuneVoice& v, const TuneSection& s, uint32_t offset,
                std::vector<int>& previous, MidiTrack& track)
{
    const uint32_t beat = tune.BeatTicks();
    const uint32_t bar = tune.BarTicks();
    const uint32_t eighth = Tune::kTicksPerQuarter / 2;
    const int salt = v.channel * 7 + 3;
    for (const TuneChord& c : s.chords) {
        const uint32_t t0 = offset + c.start;
        const bool barStart = c.start % bar == 0;
        const int accent = barStart ? 6 : 0;
        if (v.style == "pad") {
            previous = VoiceChord(c, v.low, v.high, previous);
            for (int k : previous)
                Emit(track, v.channel, k, t0, c.length - 8, Humanise(v.velocity, t0, salt + k));
        } else if (v.style == "bass") {
            const int root = LowestWithClass(c.bass, v.low);
            const int fifth = LowestWithClass((c.root + 7) % 12, root + 1);
            const bool split = tune.beatsPerBar % 2 == 0 && c.length == bar && tune.beatUnit != 8;
            const bool compound = tune.beatUnit == 8 && tune.beatsPerBar % 3 == 0 && c.length == bar;
            if (split || (compound && tune.beatsPerBar >= 6)) {
                const uint32_t half = c.length / 2;
                Emit(track, v.channel, root, t0, half - 10, Humanise(v.velocity + accent, t0, salt));
                const int second = fifth - root > 7 ? fifth - 12 : fifth;
                Emit(track, v.channel, second >= v.low ? second : fifth, t0 + half, half - 10,
                     Humanise(v.velocity - 4, t0 + half, salt));
            } else {
                Emit(track, v.channel, root, t0, c.length - 10, Humanise(v.velocity + accent, t0, salt));
            }
        } else if (v.style == "waltz") {
            // Bass on the first beat of the chord, the chord above on the others.
            const int root = LowestWithClass(c.bass, v.low);
            previous = VoiceChord(c, std::min(root + 7, v.high - 12), v.high, previous);
            for (uint32_t t = 0; t < c.length; t += beat) {
                if (t == 0) {
                    Emit(track, v.channel, root, t0, std::min(c.length, beat * 2) - 20,
                         Humanise(v.velocity + accent, t0, salt));
                } else {
                    for (int k : previous)
                        Emit(track, v.channel, k, t0 + t, beat - 60, Humanise(v.velocity - 12, t0 + t, salt + k));
                }
            }
        } else {
            // arpeggio and broken: chord tones in eighths, up and down, each left ringing a
            // quarter; broken adds the bass note under the first one.
            previous = VoiceChord(c, v.low, v.high, previous);
            std::vector<int> tones = previous;
            if (tones.front() + 12 <= v.high + 4 && tones.size() < 4)
                tones.push_back(tones.front() + 12);
            std::vector<size_t> order;
            for (size_t i = 0; i < tones.size(); ++i)
                order.push_back(i);
            for (size_t i = tones.size() - 2; i >= 1 && i < tones.size(); --i)
                order.push_back(i);
            size_t step = 0;
            uint32_t t = 0;
            if (v.style == "broken") {
                const int root = LowestWithClass(c.bass, std::max(v.low - 12, 28));
                Emit(track, v.channel, root, t0, c.length - 20, Humanise(v.velocity + 4 + accent, t0, salt));
                t = eighth; // the tones start after the bass
                step = 1;
            }
            for (; t < c.length; t += eighth, ++step) {
                const int k = tones[order[step % order.size()]];
                const bool onBeat = t % beat == 0;
                const int vel = v.velocity + (onBeat ? 4 : -6) + (t == 0 ? accent : 0);
                Emit(track, v.channel, k, t0 + t, std::min<uint32_t>(eighth * 2, c.length - t), Humanise(vel, t0 + t, salt));
            }
        }
    }
}

} // namespace

double Tune::Seconds() const
{
    uint32_t ticks = 0;
    for (const auto& name : form) {
        const auto it = sections.find(name);
        if (it != sections.end())
            ticks += it->second.length;
    }
    return static_cast<double>(ticks) / kTicksPerQuarter * 60.0 / tempo;
}

bool ParseTune(std::string_view text, Tune& tune, std::string& error)
{
    tune = Tune();
    Parser parser(tune);
    int number = 0;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!parser.Line(++number, line, error))
            return false;
    }
    return parser.Finish(error);
}

std::vector<int> VoiceChord(const TuneChord& chord, int low, int high, const std::vector<int>& previous)
{
    // Pitch classes in chord order, each once; five and more drop the fifth.
    std::vector<int> pcs;
    for (int i : chord.intervals) {
        const int pc = (chord.root + i) % 12;
        if (std::find(pcs.begin(), pcs.end(), pc) == pcs.end())
            pcs.push_back(pc);
    }
    if (pcs.size() > 4)
        pcs.erase(pcs.begin() + 2);
    std::vector<std::vector<int>> candidates;
    std::vector<int> lowest;
    for (size_t r = 0; r < pcs.size(); ++r) {
        for (int start = low; start < low + 12; ++start) {
            if (start % 12 != pcs[r])
                continue;
            std::vector<int> keys{start};
            for (size_t i = 1; i < pcs.size(); ++i)
                keys.push_back(LowestWithClass(pcs[(r + i) % pcs.size()], keys.back() + 1));
            if (lowest.empty() || keys.back() < lowest.back())
                lowest = keys;
            // The same inversion an octave up, while it fits.
            while (keys.back() <= high) {
                candidates.push_back(keys);
                for (int& k : keys)
                    k += 12;
            }
        }
    }
    if (candidates.empty())
        return lowest;
    const auto mean = [](const std::vector<int>& k) {
        return std::accumulate(k.begin(), k.end(), 0.0) / static_cast<double>(k.size());
    };
    const double centre = (low + high) / 2.0;
    const auto cost = [&](const std::vector<int>& k) {
        if (previous.empty())
            return std::abs(mean(k) - centre);
        double moved = 0;
        for (size_t i = 0; i < k.size(); ++i) {
            int nearest = 1000;
            for (int p : previous)
                nearest = std::min(nearest, std::abs(p - k[i]));
            moved += nearest;
        }
        return moved + std::abs(mean(k) - mean(previous)) + 0.25 * std::abs(mean(k) - centre);
    };
    return *std::min_element(candidates.begin(), candidates.end(),
                             [&](const auto& a, const auto& b) { return cost(a) < cost(b); });
}

MidiFile RenderTune(const Tune& tune)
{
    MidiFile file;
    file.ticksPerQuarter = Tune::kTicksPerQuarter;
    MidiTrack conductor;
    conductor.events.push_back(TrackName(0, tune.title.empty() ? tune.file : tune.title));
    conductor.events.push_back(TimeSignature(0, tune.beatsPerBar, tune.beatUnit));
    conductor.events.push_back(Tempo(0, static_cast<uint32_t>(60000000 / tune.tempo)));
    uint32_t total = 0;
    for (const std::string& name : tune.form)
        total += tune.sections.at(name).length;
    conductor.events.push_back({total, {0xFF, meta::kEndOfTrack, 0}});
    file.tracks.push_back(conductor);

    for (const TuneVoice& v : tune.voices) {
        MidiTrack track;
        track.events.push_back(TrackName(0, v.name));
        track.events.push_back(ProgramChange(0, v.channel, v.program));
        track.events.push_back(Controller(0, v.channel, 7, v.volume));
        track.events.push_back(Controller(0, v.channel, 10, v.pan));
        track.events.push_back(Controller(0, v.channel, 91, v.reverb));
        track.events.push_back(Controller(0, v.channel, 93, v.chorus));
        uint32_t offset = 0;
        std::vector<int> previous;
        for (const std::string& name : tune.form) {
            const TuneSection& s = tune.sections.at(name);
            if (!v.style.empty()) {
                PlayChords(tune, v, s, offset, previous, track);
            } else if (const auto it = s.notes.find(v.name); it != s.notes.end()) {
                for (const TuneNote& n : it->second) {
                    // A little air between notes, so repeated notes are heard as two.
                    const uint32_t gap = n.length >= 120 ? 12 : 0;
                    Emit(track, v.channel, n.key, offset + n.start, n.length - gap,
                         Humanise(n.velocity + (n.start % tune.BarTicks() == 0 ? 4 : 0), offset + n.start, v.channel));
                }
            }
            offset += s.length;
        }
        // Every voice ends with the tune, so that a loop starts again in time.
        track.events.push_back({offset, {0xFF, meta::kEndOfTrack, 0}});
        file.tracks.push_back(std::move(track));
    }
    return file;
}

} // namespace kf::midi
