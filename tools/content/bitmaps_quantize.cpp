// Palette reduction for the 8-bit title picture: median cut chooses the starting palette, k-means
// moves each entry to the centre of the colours it stands for, and error diffusion spreads what
// is left so that gradients do not band.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <unordered_map>

#include "bitmaps_raster.h"

namespace darts::content::bitmaps {

namespace {

struct WeightedColour {
    std::array<int, 3> rgb;
    uint32_t count;
};

std::array<int, 3> channels(uint32_t argb) {
    return {static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
            static_cast<int>(argb & 0xFF)};
}

uint32_t packOpaque(const std::array<int, 3>& rgb) {
    return 0xFF000000u | (static_cast<uint32_t>(rgb[0]) << 16) |
           (static_cast<uint32_t>(rgb[1]) << 8) | static_cast<uint32_t>(rgb[2]);
}

int distanceSquared(const std::array<int, 3>& a, const std::array<int, 3>& b) {
    // Green weighs most and blue least, roughly as the eye sees differences.
    const int dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

std::vector<WeightedColour> histogram(const Raster& picture) {
    std::vector<uint32_t> sorted;
    sorted.reserve(picture.argb.size());
    for (uint32_t p : picture.argb) sorted.push_back(p & 0xFFFFFFu);
    std::sort(sorted.begin(), sorted.end());
    std::vector<WeightedColour> colours;
    for (size_t i = 0; i < sorted.size();) {
        size_t j = i;
        while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
        colours.push_back({channels(sorted[i]), static_cast<uint32_t>(j - i)});
        i = j;
    }
    return colours;
}

struct Box {
    size_t begin, end;  // range in the colour list
    double error;       // weighted squared spread, the reason to split it next
    int widestChannel;
};

Box measureBox(const std::vector<WeightedColour>& colours, size_t begin, size_t end) {
    std::array<double, 3> sum{}, sumSquares{};
    double total = 0;
    for (size_t i = begin; i < end; ++i) {
        for (int c = 0; c < 3; ++c) {
            sum[c] += double(colours[i].rgb[c]) * colours[i].count;
            sumSquares[c] += double(colours[i].rgb[c]) * colours[i].rgb[c] * colours[i].count;
        }
        total += colours[i].count;
    }
    Box box{begin, end, 0.0, 0};
    double widest = -1;
    for (int c = 0; c < 3; ++c) {
        const double variance = sumSquares[c] - sum[c] * sum[c] / total;
        box.error += variance;
        if (variance > widest) {
            widest = variance;
            box.widestChannel = c;
        }
    }
    if (end - begin < 2) box.error = 0;  // a single colour cannot be split
    return box;
}

std::array<int, 3> meanColour(const std::vector<WeightedColour>& colours, size_t begin,
                              size_t end) {
    std::array<double, 3> sum{};
    double total = 0;
    for (size_t i = begin; i < end; ++i) {
        for (int c = 0; c < 3; ++c) sum[c] += double(colours[i].rgb[c]) * colours[i].count;
        total += colours[i].count;
    }
    std::array<int, 3> mean{};
    for (int c = 0; c < 3; ++c) mean[c] = static_cast<int>(std::lround(sum[c] / total));
    return mean;
}

std::vector<std::array<int, 3>> medianCut(std::vector<WeightedColour>& colours, int wanted) {
    std::vector<Box> boxes{measureBox(colours, 0, colours.size())};
    while (static_cast<int>(boxes.size()) < wanted) {
        const auto worst =
            std::max_element(boxes.begin(), boxes.end(),
                             [](const Box& a, const Box& b) { return a.error < b.error; });
        if (worst->error <= 0) break;
        const Box box = *worst;
        const int c = box.widestChannel;
        std::sort(
            colours.begin() + box.begin, colours.begin() + box.end,
            [c](const WeightedColour& a, const WeightedColour& b) { return a.rgb[c] < b.rgb[c]; });
        uint64_t total = 0;
        for (size_t i = box.begin; i < box.end; ++i) total += colours[i].count;
        uint64_t running = 0;
        size_t split = box.begin + 1;
        for (size_t i = box.begin; i < box.end - 1; ++i) {
            running += colours[i].count;
            split = i + 1;
            if (2 * running >= total) break;
        }
        *worst = measureBox(colours, box.begin, split);
        boxes.push_back(measureBox(colours, split, box.end));
    }
    std::vector<std::array<int, 3>> palette;
    for (const Box& box : boxes) palette.push_back(meanColour(colours, box.begin, box.end));
    return palette;
}

size_t nearest(const std::vector<std::array<int, 3>>& palette, const std::array<int, 3>& rgb) {
    size_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < palette.size(); ++i) {
        const int d = distanceSquared(palette[i], rgb);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void refineByKMeans(const std::vector<WeightedColour>& colours,
                    std::vector<std::array<int, 3>>& palette, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        std::vector<std::array<double, 4>> sums(palette.size(), {0, 0, 0, 0});
        for (const WeightedColour& colour : colours) {
            auto& s = sums[nearest(palette, colour.rgb)];
            for (int c = 0; c < 3; ++c) s[c] += double(colour.rgb[c]) * colour.count;
            s[3] += colour.count;
        }
        for (size_t i = 0; i < palette.size(); ++i) {
            if (sums[i][3] == 0) continue;  // an unused entry keeps its place
            for (int c = 0; c < 3; ++c) {
                palette[i][c] = static_cast<int>(std::lround(sums[i][c] / sums[i][3]));
            }
        }
    }
}

}  // namespace

IndexedImage quantize(const Raster& picture, int colours, double dither) {
    if (colours < 2 || colours > 256) throw std::invalid_argument("palette size out of range");
    if (picture.width <= 0 || picture.height <= 0) throw std::invalid_argument("empty picture");

    std::vector<WeightedColour> histogramColours = histogram(picture);
    const bool exact = static_cast<int>(histogramColours.size()) <= colours;
    std::vector<std::array<int, 3>> palette;
    if (exact) {
        for (const WeightedColour& c : histogramColours) palette.push_back(c.rgb);
    } else {
        palette = medianCut(histogramColours, colours);
        refineByKMeans(histogramColours, palette, 4);
    }

    IndexedImage out;
    out.width = picture.width;
    out.height = picture.height;
    for (const auto& rgb : palette) out.palette.push_back(packOpaque(rgb));
    out.indices.resize(picture.argb.size());

    // Error diffusion over a serpentine scan; with an exact palette there is no error to spread.
    const double strength = exact ? 0.0 : std::clamp(dither, 0.0, 1.0);
    const int w = picture.width;
    std::vector<std::array<float, 3>> current(w + 2), next(w + 2);
    std::unordered_map<uint32_t, uint8_t> lookup;
    for (int y = 0; y < picture.height; ++y) {
        std::fill(next.begin(), next.end(), std::array<float, 3>{0, 0, 0});
        const bool leftToRight = (y % 2) == 0;
        for (int step = 0; step < w; ++step) {
            const int x = leftToRight ? step : w - 1 - step;
            const int dir = leftToRight ? 1 : -1;
            const auto source = channels(picture.at(x, y));
            std::array<int, 3> wanted{};
            for (int c = 0; c < 3; ++c) {
                wanted[c] = std::clamp(static_cast<int>(std::lround(source[c] + current[x + 1][c])),
                                       0, 255);
            }
            const uint32_t key = packOpaque(wanted);
            auto found = lookup.find(key);
            if (found == lookup.end()) {
                found = lookup.emplace(key, static_cast<uint8_t>(nearest(palette, wanted))).first;
            }
            const uint8_t index = found->second;
            out.indices[static_cast<size_t>(y) * w + x] = index;
            if (strength == 0.0) continue;
            for (int c = 0; c < 3; ++c) {
                const float error = static_cast<float>((wanted[c] - palette[index][c]) * strength);
                current[x + 1 + dir][c] += error * 7.0f / 16.0f;
                next[x + 1 - dir][c] += error * 3.0f / 16.0f;
                next[x + 1][c] += error * 5.0f / 16.0f;
                next[x + 1 + dir][c] += error * 1.0f / 16.0f;
            }
        }
        std::swap(current, next);
    }
    return out;
}

}  // namespace darts::content::bitmaps
