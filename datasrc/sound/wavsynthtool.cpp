// kf_wavsynth PARAMETERS OUT_DIR [PLOT_DIR]: renders every sound of the parameter file into
// OUT_DIR/NAME. PLOT_DIR, when given, receives a waveform picture (PPM) of each, for review.
#include "wavsynth.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

// 600 × 160 picture: the envelope of the samples per column, with the full-scale lines.
void Plot(const std::string& path, const std::vector<float>& samples)
{
    const int w = 600, h = 160;
    std::vector<uint8_t> rgb(size_t(w * h * 3), 255);
    auto set = [&](int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return;
        uint8_t* p = &rgb[size_t((y * w + x) * 3)];
        p[0] = r;
        p[1] = g;
        p[2] = b;
    };
    for (int x = 0; x < w; ++x) {
        set(x, 4, 220, 80, 80);
        set(x, h - 5, 220, 80, 80);
        set(x, h / 2, 200, 200, 200);
        const size_t from = samples.size() * size_t(x) / size_t(w);
        const size_t to = std::max(from + 1, samples.size() * size_t(x + 1) / size_t(w));
        float lo = 0, hi = 0;
        for (size_t i = from; i < to && i < samples.size(); ++i) {
            lo = std::min(lo, samples[i]);
            hi = std::max(hi, samples[i]);
        }
        const int y0 = int(h / 2 - hi * (h / 2 - 4)), y1 = int(h / 2 - lo * (h / 2 - 4));
        for (int y = y0; y <= y1; ++y)
            set(x, y, 40, 90, 170);
    }
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << w << " " << h << "\n255\n";
    out.write(reinterpret_cast<const char*>(rgb.data()), std::streamsize(rgb.size()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: kf_wavsynth PARAMETERS OUT_DIR [PLOT_DIR]\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<kf::synth::Sound> sounds;
    std::string error;
    if (!in || !kf::synth::ParseSounds(text, sounds, &error)) {
        std::fprintf(stderr, "kf_wavsynth: %s: %s\n", argv[1],
                     error.empty() ? "cannot read" : error.c_str());
        return 1;
    }
    for (const auto& sound : sounds) {
        const auto samples = kf::synth::Render(sound);
        if (!WriteFile(std::string(argv[2]) + "/" + sound.name, kf::synth::EncodeWav(samples))) {
            std::fprintf(stderr, "kf_wavsynth: cannot write %s\n", sound.name.c_str());
            return 1;
        }
        if (argc > 3)
            Plot(std::string(argv[3]) + "/" + sound.name + ".ppm", samples);
    }
    return 0;
}
