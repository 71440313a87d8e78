#include "assets/palette.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace skyraid::art {

namespace {

using Colour = std::array<int, 3>;

struct Box {
    std::vector<Colour> pixels;

    int longestAxis(int* spread) const
    {
        int best = 0;
        *spread = -1;
        for (int axis = 0; axis < 3; ++axis) {
            const auto [low, high] = std::minmax_element(
                pixels.begin(), pixels.end(),
                [axis](const Colour& a, const Colour& b) { return a[axis] < b[axis]; });
            const int s = (*high)[axis] - (*low)[axis];
            if (s > *spread) {
                *spread = s;
                best = axis;
            }
        }
        return best;
    }
};

int distance(const Colour& a, const Colour& b)
{
    const int dr = a[0] - b[0];
    const int dg = a[1] - b[1];
    const int db = a[2] - b[2];
    // Green counts most to the eye, blue least.
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int nearest(const std::vector<Colour>& palette, const Colour& colour)
{
    int best = 0;
    int bestDistance = distance(palette[0], colour);
    for (int i = 1; i < int(palette.size()); ++i) {
        const int d = distance(palette[i], colour);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

} // namespace

QImage quantize(const QImage& picture, int colours)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<Colour> all;
    all.reserve(std::size_t(rgb.width()) * std::size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            all.push_back({qRed(line[x]), qGreen(line[x]), qBlue(line[x])});
    }

    // Median cut: split the box with the widest spread of colours, weighted by
    // how many pixels it holds, until there are enough boxes.
    std::vector<Box> boxes{Box{all}};
    while (int(boxes.size()) < colours) {
        int chosen = -1;
        long long bestScore = 0;
        int axis = 0;
        for (int i = 0; i < int(boxes.size()); ++i) {
            if (boxes[i].pixels.size() < 2)
                continue;
            int spread = 0;
            const int a = boxes[i].longestAxis(&spread);
            const long long score = (long long)(spread) * (long long)(boxes[i].pixels.size());
            if (spread > 0 && score > bestScore) {
                bestScore = score;
                chosen = i;
                axis = a;
            }
        }
        if (chosen < 0)
            break;
        std::vector<Colour>& pixels = boxes[chosen].pixels;
        std::stable_sort(pixels.begin(), pixels.end(),
                         [axis](const Colour& a, const Colour& b) { return a[axis] < b[axis]; });
        const auto middle = pixels.begin() + std::ptrdiff_t(pixels.size() / 2);
        Box upper{std::vector<Colour>(middle, pixels.end())};
        pixels.erase(middle, pixels.end());
        boxes.push_back(std::move(upper));
    }

    std::vector<Colour> palette;
    for (const Box& box : boxes) {
        long long sum[3] = {0, 0, 0};
        for (const Colour& c : box.pixels)
            for (int k = 0; k < 3; ++k)
                sum[k] += c[k];
        const auto n = (long long)(box.pixels.size());
        palette.push_back(
            {int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n), int((sum[2] + n / 2) / n)});
    }

    // A few rounds of moving each entry to the mean of the pixels it serves.
    std::vector<int> index(all.size());
    for (int round = 0; round < 4; ++round) {
        std::vector<std::array<long long, 4>> sums(palette.size(), {0, 0, 0, 0});
        for (std::size_t i = 0; i < all.size(); ++i) {
            index[i] = nearest(palette, all[i]);
            auto& s = sums[std::size_t(index[i])];
            s[0] += all[i][0];
            s[1] += all[i][1];
            s[2] += all[i][2];
            s[3] += 1;
        }
        for (std::size_t p = 0; p < palette.size(); ++p) {
            const long long n = sums[p][3];
            if (n > 0)
                palette[p] = {int((sums[p][0] + n / 2) / n), int((sums[p][1] + n / 2) / n),
                              int((sums[p][2] + n / 2) / n)};
        }
    }
    for (std::size_t i = 0; i < all.size(); ++i)
        index[i] = nearest(palette, all[i]);

    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    for (const Colour& c : palette)
        table.append(qRgb(c[0], c[1], c[2]));
    while (table.size() < colours)
        table.append(qRgb(0, 0, 0));
    indexed.setColorTable(table);
    std::size_t i = 0;
    for (int y = 0; y < indexed.height(); ++y) {
        uchar* line = indexed.scanLine(y);
        for (int x = 0; x < indexed.width(); ++x)
            line[x] = uchar(index[i++]);
    }
    return indexed;
}

} // namespace skyraid::art
