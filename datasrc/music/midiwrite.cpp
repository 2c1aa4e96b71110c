// kf_midiwrite OUTDIR TUNE...: writes the MIDI file of each tune (tune.h) into OUTDIR and
// prints its length; a faulty tune is reported with its line and nothing is written for it.
#include "midifile.h"
#include "tune.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: kf_midiwrite OUTDIR TUNE...\n");
        return 2;
    }
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot be read\n", argv[i]);
            ++failures;
            continue;
        }
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        kf::midi::Tune tune;
        std::string error;
        if (!kf::midi::ParseTune(text, tune, error)) {
            std::fprintf(stderr, "%s: %s\n", argv[i], error.c_str());
            ++failures;
            continue;
        }
        const kf::midi::Bytes bytes = kf::midi::RenderTune(tune).Write();
        const std::string out = std::string(argv[1]) + "/" + tune.file;
        const std::string temp = out + ".part";
        {
            std::ofstream f(temp, std::ios::binary | std::ios::trunc);
            f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            if (!f) {
                std::fprintf(stderr, "%s: cannot be written\n", temp.c_str());
                ++failures;
                continue;
            }
        }
        if (std::rename(temp.c_str(), out.c_str()) != 0) {
            std::fprintf(stderr, "%s: cannot be written\n", out.c_str());
            ++failures;
            continue;
        }
        std::printf("%s: %s, %.0f s\n", tune.file.c_str(), tune.title.c_str(), tune.Seconds());
    }
    return failures ? 1 : 0;
}
