#include "skin/palettequantizer.h"

#include <algorithm>
#include <unordered_map>

namespace kf {
namespace {

struct Entry
{
    uint32_t rgb; // 0x00RRGGBB
    uint32_t count;
};

int Channel(uint32_t rgb, int c)
{
    return int((rgb >> (16 - 8 * c)) & 0xFF);
}

struct Box
{
    size_t begin;
    size_t end;
    int longest = 0; // channel with the widest range
    int range = 0;
    uint64_t weight = 0;
};

void Measure(const std::vector<Entry>& e, Box& box)
{
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    box.weight = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], Channel(e[i].rgb, c));
            hi[c] = std::max(hi[c], Channel(e[i].rgb, c));
        }
        box.weight += e[i].count;
    }
    box.range = -1;
    for (int c = 0; c < 3; ++c)
        if (hi[c] - lo[c] > box.range) {
            box.range = hi[c] - lo[c];
            box.longest = c;
        }
}

} // namespace

CDib QuantizeToPalette(const RgbaImage& image, const QuantizeOptions& options)
{
    const size_t n = size_t(std::max(0, image.width)) * size_t(std::max(0, image.height));
    if (n == 0 || image.pixels.size() < n)
        return {};

    // Blend and collect the opaque colours.
    std::vector<int32_t> flat(n); // -1 = key
    std::unordered_map<uint32_t, uint32_t> histogram;
    const int mr = GetRValue(options.matte), mg = GetGValue(options.matte),
              mb = GetBValue(options.matte);
    bool anyKey = false;
    for (size_t i = 0; i < n; ++i) {
        const uint32_t p = image.pixels[i];
        const int a = int(p >> 24);
        if (a < options.alphaThreshold) {
            flat[i] = -1;
            anyKey = true;
            continue;
        }
        auto blend = [&](int c, int m) { return (c * a + m * (255 - a) + 127) / 255; };
        const uint32_t rgb =
            uint32_t(blend(int((p >> 16) & 0xFF), mr) << 16 | blend(int((p >> 8) & 0xFF), mg) << 8 |
                     blend(int(p & 0xFF), mb));
        flat[i] = int32_t(rgb);
        ++histogram[rgb];
    }
    const bool key = anyKey || options.alwaysKey;
    const int slots = std::clamp(options.maxColors, 1, 256) - (key ? 1 : 0);

    std::vector<Entry> entries;
    entries.reserve(histogram.size());
    for (const auto& [rgb, count] : histogram)
        entries.push_back({rgb, count});
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.rgb < b.rgb; });

    std::vector<uint32_t> colors;
    if (int(entries.size()) <= slots) {
        for (const Entry& e : entries)
            colors.push_back(e.rgb);
    } else {
        std::vector<Box> boxes{{0, entries.size()}};
        Measure(entries, boxes[0]);
        while (int(boxes.size()) < slots) {
            // Split the box that holds the most pixels spread over a real range.
            auto pick =
                std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
                    const uint64_t sa =
                        a.range > 0 && a.end - a.begin > 1 ? a.weight * uint64_t(a.range) : 0;
                    const uint64_t sb =
                        b.range > 0 && b.end - b.begin > 1 ? b.weight * uint64_t(b.range) : 0;
                    return sa < sb;
                });
            if (pick->range <= 0 || pick->end - pick->begin < 2)
                break;
            Box box = *pick;
            const int c = box.longest;
            std::sort(entries.begin() + long(box.begin), entries.begin() + long(box.end),
                      [c](const Entry& a, const Entry& b) {
                          return Channel(a.rgb, c) < Channel(b.rgb, c);
                      });
            uint64_t half = box.weight / 2, run = 0;
            size_t cut = box.begin;
            while (cut < box.end - 1 && run + entries[cut].count <= half)
                run += entries[cut++].count;
            cut = std::clamp(cut, box.begin + 1, box.end - 1);
            Box a{box.begin, cut}, b{cut, box.end};
            Measure(entries, a);
            Measure(entries, b);
            *pick = a;
            boxes.push_back(b);
        }
        for (const Box& box : boxes) {
            uint64_t sum[3] = {0, 0, 0};
            for (size_t i = box.begin; i < box.end; ++i)
                for (int c = 0; c < 3; ++c)
                    sum[c] += uint64_t(Channel(entries[i].rgb, c)) * entries[i].count;
            uint32_t rgb = 0;
            for (int c = 0; c < 3; ++c)
                rgb |= uint32_t((sum[c] + box.weight / 2) / box.weight) << (16 - 8 * c);
            colors.push_back(rgb);
        }
    }

    std::vector<ColorRef> palette;
    if (key)
        palette.push_back(kSkinKeyColor);
    for (uint32_t rgb : colors)
        palette.push_back(MakeRgb(int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF));

    CDib dib(image.width, image.height, palette);
    if (key)
        dib.SetKeyIndex(0);
    const uint8_t first = key ? 1 : 0;
    std::unordered_map<uint32_t, uint8_t> nearest;
    for (size_t i = 0; i < n; ++i) {
        if (flat[i] < 0) {
            dib.Indices()[i] = 0;
            continue;
        }
        const uint32_t rgb = uint32_t(flat[i]);
        auto found = nearest.find(rgb);
        if (found == nearest.end()) {
            int best = 0;
            long bestDistance = -1;
            for (size_t k = 0; k < colors.size(); ++k) {
                long d = 0;
                for (int c = 0; c < 3; ++c) {
                    const long diff = Channel(rgb, c) - Channel(colors[k], c);
                    d += diff * diff;
                }
                if (bestDistance < 0 || d < bestDistance) {
                    bestDistance = d;
                    best = int(k);
                }
            }
            found = nearest.emplace(rgb, uint8_t(first + best)).first;
        }
        dib.Indices()[i] = found->second;
    }
    return dib;
}

} // namespace kf
