#pragma once

// The typing figures, the same wherever they are shown. With total hits P, correct hits C,
// error factor F ("Error_Factor") and time t in milliseconds:
//   errors E = P - C; net hits N = P - E * F when that is positive, else 0;
//   gross speed P * 60000 / t and net speed N * 60000 / t characters per minute;
//   words per minute = characters per minute / 5; accuracy N * 100 / P.
// Divisions are done in floating point; shown values are truncated towards zero
// (ShownValue). A time of 0 gives speed 0, never a division by zero.

#include "session/statisticsblock.h"

#include <cstdint>

namespace kf {

// Characters that make one word in words-per-minute figures.
constexpr int kCharactersPerWord = 5;

// E = P - C; never negative.
int64_t ErrorHits(int64_t total, int64_t correct);
// N = P - E * factor when positive, else 0.
int64_t NetHits(int64_t total, int64_t correct, int64_t factor);

// P * 60000 / t; 0 when t is 0 or negative.
double GrossSpeed(int64_t total, int64_t elapsedMs);
// N * 60000 / t; 0 when t is 0 or N is 0.
double NetSpeed(int64_t total, int64_t correct, int64_t factor, int64_t elapsedMs);
// The speed of the last second: (P - Ps) * 60, where Ps is the total at the one-second sample
// before the latest one; 0 when t is 0 or P <= Ps.
double WinkSpeed(int64_t total, int64_t sampleHits, int64_t elapsedMs);
// Characters per minute as words per minute.
double WordsPerMinute(double charactersPerMinute);
// N * 100 / P in percent; 0 when P is 0.
double Accuracy(int64_t total, int64_t correct, int64_t factor);

// The three numbers of the errors figure: weighted errors E * f, errors E and the factor f.
struct ErrorFigures
{
    int64_t weighted = 0;
    int64_t errors = 0;
    int64_t factor = 0;
    friend bool operator==(const ErrorFigures&, const ErrorFigures&) = default;
};
// The panel's errors figure; a factor of 0 is shown as 1.
ErrorFigures PanelErrorFigures(int64_t total, int64_t correct, int64_t factor);

// A figure as it is shown: truncated towards zero.
int64_t ShownValue(double value);

// How much of a speed bar is filled, 0 to 1: speed / fullmark, full at or above the full-mark
// speed. Both in characters per minute. A full mark of 0 or less fills the bar for any speed.
double SpeedBarFill(double charactersPerMinute, int64_t fullmark);
// The filled width of the wink bar: fullWidth * level / 100, the level taken within 0 to 100.
int WinkBarWidth(int fullWidth, int level);

// Everything the information panel shows for one statistics block.
struct PanelFigures
{
    // Speeds in the block's unit, as shown (words per minute when the unit says so).
    int64_t gross = 0;
    int64_t net = 0;
    int64_t wink = 0;
    // The same speeds in characters per minute, for the bars.
    double grossCpm = 0;
    double netCpm = 0;
    double winkCpm = 0;
    double grossBar = 0; // SpeedBarFill of the gross speed
    double netBar = 0;   // SpeedBarFill of the net speed
    double accuracy = 0; // percent, shown with one decimal
    int64_t totalHits = 0;
    ErrorFigures errors;
};
PanelFigures ComputePanelFigures(const StatisticsBlock& block, int64_t errorFactor);

} // namespace kf
