#include "session/typingfigures.h"

#include <algorithm>
#include <cmath>

namespace kf {

int64_t ErrorHits(int64_t total, int64_t correct)
{
    return total > correct ? total - correct : 0;
}

int64_t NetHits(int64_t total, int64_t correct, int64_t factor)
{
    const int64_t net = total - ErrorHits(total, correct) * factor;
    return net > 0 ? net : 0;
}

double GrossSpeed(int64_t total, int64_t elapsedMs)
{
    if (elapsedMs <= 0)
        return 0;
    return static_cast<double>(total) * 60000.0 / static_cast<double>(elapsedMs);
}

double NetSpeed(int64_t total, int64_t correct, int64_t factor, int64_t elapsedMs)
{
    const int64_t net = NetHits(total, correct, factor);
    if (elapsedMs <= 0 || net == 0)
        return 0;
    return static_cast<double>(net) * 60000.0 / static_cast<double>(elapsedMs);
}

double WinkSpeed(int64_t total, int64_t sampleHits, int64_t elapsedMs)
{
    if (elapsedMs <= 0 || total <= sampleHits)
        return 0;
    return static_cast<double>(total - sampleHits) * 60.0;
}

double WordsPerMinute(double charactersPerMinute)
{
    return charactersPerMinute / kCharactersPerWord;
}

double Accuracy(int64_t total, int64_t correct, int64_t factor)
{
    if (total <= 0)
        return 0;
    return static_cast<double>(NetHits(total, correct, factor)) * 100.0 / static_cast<double>(total);
}

ErrorFigures PanelErrorFigures(int64_t total, int64_t correct, int64_t factor)
{
    ErrorFigures f;
    f.factor = factor == 0 ? 1 : factor;
    f.errors = ErrorHits(total, correct);
    f.weighted = f.errors * f.factor;
    return f;
}

int64_t ShownValue(double value)
{
    return static_cast<int64_t>(std::trunc(value));
}

double SpeedBarFill(double charactersPerMinute, int64_t fullmark)
{
    if (charactersPerMinute <= 0)
        return 0;
    if (fullmark <= 0 || charactersPerMinute >= static_cast<double>(fullmark))
        return 1;
    return charactersPerMinute / static_cast<double>(fullmark);
}

int WinkBarWidth(int fullWidth, int level)
{
    return fullWidth * std::clamp(level, 0, 100) / 100;
}

PanelFigures ComputePanelFigures(const StatisticsBlock& block, int64_t errorFactor)
{
    const int64_t p = block.TotalHits();
    const int64_t c = block.CorrectHits();
    const int64_t t = block.ElapsedMs();
    PanelFigures f;
    f.grossCpm = GrossSpeed(p, t);
    f.netCpm = NetSpeed(p, c, errorFactor, t);
    f.winkCpm = WinkSpeed(p, block.SampleHits(), t);
    const bool wpm = block.Unit() == SpeedUnit::WordsPerMinute;
    const auto shown = [wpm](double cpm) { return ShownValue(wpm ? WordsPerMinute(cpm) : cpm); };
    f.gross = shown(f.grossCpm);
    f.net = shown(f.netCpm);
    f.wink = shown(f.winkCpm);
    f.grossBar = SpeedBarFill(f.grossCpm, block.Fullmark());
    f.netBar = SpeedBarFill(f.netCpm, block.Fullmark());
    f.accuracy = Accuracy(p, c, errorFactor);
    f.totalHits = p;
    f.errors = PanelErrorFigures(p, c, errorFactor);
    return f;
}

} // namespace kf
