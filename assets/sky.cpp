#include "assets/sky.h"

#include "assets/aircraft.h"
#include "assets/random.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QPainter>

namespace skyraid::art {

namespace {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb operator+(Rgb a, Rgb b)
{
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Rgb operator*(Rgb a, double k)
{
    return {a.r * k, a.g * k, a.b * k};
}
Rgb mix(Rgb a, Rgb b, double t)
{
    return a * (1.0 - t) + b * t;
}

double smoothStep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

struct GradientStop {
    double at;
    Rgb colour;
};

Rgb sample(const std::vector<GradientStop>& stops, double v)
{
    if (v <= stops.front().at)
        return stops.front().colour;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (v <= stops[i].at) {
            const double t = (v - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            return mix(stops[i - 1].colour, stops[i].colour, smoothStep(0.0, 1.0, t));
        }
    }
    return stops.back().colour;
}

struct CloudBank {
    double centre;    // height of the bank, 0 top to 1 bottom
    double thickness; // its vertical spread
    double coverage;  // 0 clear, 1 overcast in its middle
    double stretchX;  // pixels per noise cell across
    double stretchY;  // pixels per noise cell down
    std::uint32_t seed;
};

struct Mood {
    std::vector<GradientStop> sky;
    QPointF sun;      // centre, as fractions of width and height
    double sunRadius; // in fractions of the height
    Rgb sunColour;
    Rgb glowColour;
    std::vector<CloudBank> clouds;
    Rgb cloudShadowHigh; // underside of the high clouds
    Rgb cloudShadowLow;  // underside of the clouds near the horizon
    Rgb cloudLit;        // edges facing the sun
    double horizon;      // where the far hills stand
    Rgb farHills;
    Rgb nearHills;
};

// Its sky colours and clouds at negative heights lie above the frame: only
// the tall version shows them.
Mood eveningMood()
{
    return {{{-0.85, {12, 14, 46}},
             {-0.4, {22, 26, 72}},
             {0.0, {34, 40, 96}},
             {0.28, {98, 72, 140}},
             {0.5, {214, 112, 110}},
             {0.68, {250, 156, 72}},
             {0.82, {255, 206, 96}},
             {0.9, {255, 232, 150}}},
            {0.68, 0.855},
            0.045,
            {255, 248, 214},
            {255, 196, 110},
            {{-0.42, 0.12, 0.45, 380.0, 24.0, 14u},
             {0.12, 0.07, 0.55, 220.0, 26.0, 11u},
             {0.4, 0.1, 0.85, 300.0, 30.0, 12u},
             {0.66, 0.07, 0.7, 260.0, 18.0, 13u}},
            {116, 70, 120},
            {150, 70, 76},
            {255, 214, 150},
            0.88,
            {168, 92, 100},
            {62, 36, 62}};
}

Mood duskMood()
{
    return {{{0.0, {6, 8, 26}},
             {0.35, {24, 20, 56}},
             {0.62, {70, 34, 62}},
             {0.84, {150, 62, 48}},
             {0.95, {214, 104, 40}}},
            {0.3, 0.97},
            0.05,
            {255, 200, 120},
            {255, 120, 40},
            {{0.3, 0.12, 0.5, 150.0, 16.0, 21u}, {0.72, 0.1, 0.8, 180.0, 16.0, 22u}},
            {44, 28, 54},
            {112, 50, 42},
            {255, 150, 60},
            0.93,
            {60, 26, 36},
            {16, 10, 20}};
}

// The sky drawn into a picture of `size` pixels whose own frame, the part
// the mood's fractions and heights are measured in, lies at `frame`: a
// picture may reach beyond its frame on any side, and what lies inside is
// the same wherever the frame sits.
QImage paintSky(QSize size, QRect frame, const Mood& mood, double scale)
{
    const int width = frame.width();
    const int height = frame.height();
    const double h = height;
    const QPointF sunPixel(mood.sun.x() * width, mood.sun.y() * height);
    const double sunRadius = mood.sunRadius * h;

    std::vector<Noise> noises;
    for (const CloudBank& bank : mood.clouds)
        noises.emplace_back(bank.seed);
    const Noise ridgeNoise(31u);

    // Ridge lines of the hills, one height per column. Beyond the frame's
    // sides the near range rises, so that the lower corners of a wide
    // picture are as dark as the frame's. Below the frame stand nearer
    // ranges, darker the nearer, which only a picture that reaches below
    // its frame shows.
    constexpr int lowRanges = 2;
    std::vector<double> farRidge(size.width());
    std::vector<double> nearRidge(size.width());
    std::vector<double> lowRidge(std::size_t(lowRanges) * size.width());
    for (int column = 0; column < size.width(); ++column) {
        const double u = (column - frame.x()) / scale;
        const double beyond = std::max({0.0, -u, u - width / scale});
        farRidge[column] = mood.horizon * h -
                           scale * (14.0 + 90.0 * (ridgeNoise.fractal(u / 190.0, 0.5, 6) - 0.5));
        nearRidge[column] =
            h - scale * (36.0 + 110.0 * (ridgeNoise.fractal(u / 130.0 + 40.0, 7.5, 6) - 0.5) +
                         45.0 * smoothStep(0.0, 250.0, beyond));
        for (int k = 0; k < lowRanges; ++k)
            lowRidge[k * size.width() + column] =
                h + scale * (95.0 + 150.0 * k +
                             70.0 * (ridgeNoise.fractal(u / (120.0 - 25.0 * k) + 80.0 * (k + 1),
                                                        3.5 + 4.0 * k, 6) -
                                     0.5));
    }

    QImage image(size, QImage::Format_RGB32);
    for (int row = 0; row < size.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        const int y = row - frame.y();
        const double v = y / h;
        const Rgb base = sample(mood.sky, v);
        for (int column = 0; column < size.width(); ++column) {
            const int x = column - frame.x();
            const double dx = (x - sunPixel.x()) / h;
            const double dy = (y - sunPixel.y()) / h;
            const double spread = std::sqrt(dx * dx * 0.35 + dy * dy);
            const double distance = std::sqrt(dx * dx + dy * dy);
            Rgb colour = base + mood.glowColour * (0.32 * std::exp(-spread / 0.09) +
                                                   0.16 * std::exp(-spread / 0.35));

            // The sun's disc with a soft rim.
            const double disc =
                1.0 - smoothStep(sunRadius - 1.5 * scale, sunRadius + 1.5 * scale, distance * h);
            colour = mix(colour, mood.sunColour, disc);

            // Cloud banks, the higher ones first.
            for (std::size_t i = 0; i < mood.clouds.size(); ++i) {
                const CloudBank& bank = mood.clouds[i];
                const double band = std::exp(-std::pow((v - bank.centre) / bank.thickness, 2.0));
                if (band < 0.02)
                    continue;
                const double nx = x / scale / bank.stretchX;
                const double ny = y / scale / bank.stretchY;
                const double density = noises[i].fractal(nx, ny, 6);
                const double threshold = 0.62 - 0.2 * bank.coverage * band;
                const double alpha = smoothStep(threshold, threshold + 0.1, density);
                if (alpha <= 0.0)
                    continue;
                // Lit where the cloud thins out towards the sun.
                const double towardSunX = (sunPixel.x() - x) / (distance * h + 1.0);
                const double towardSunY = (sunPixel.y() - y) / (distance * h + 1.0);
                const double ahead = noises[i].fractal(nx + towardSunX * 4.0 / bank.stretchX,
                                                       ny + towardSunY * 4.0 / bank.stretchY, 6);
                const double lit = std::clamp(0.5 + (density - ahead) * 9.0, 0.0, 1.0);
                const double nearSun = std::exp(-distance / 0.35);
                const Rgb shadow =
                    mix(mood.cloudShadowHigh, mood.cloudShadowLow, smoothStep(0.1, 0.8, v));
                const Rgb edge = mix(shadow, mood.cloudLit, 0.35 + 0.65 * nearSun);
                Rgb cloud = mix(shadow, edge, lit * lit);
                // Thin parts glow with the sky behind them.
                cloud = mix(colour, cloud,
                            0.55 + 0.45 * smoothStep(threshold, threshold + 0.3, density));
                colour = mix(colour, cloud, alpha);
            }

            // The hills on the horizon, the far range hazy.
            if (y >= farRidge[column] - 1.0) {
                const double cover = smoothStep(farRidge[column] - 0.5, farRidge[column] + 0.5, y);
                // Hazy along the crest where the low sun shines through,
                // deeper further down the slopes.
                const double depth =
                    std::clamp((y - (mood.horizon * h - 40.0 * scale)) / (80.0 * scale), 0.0, 1.0);
                const Rgb crest = mix(mood.farHills, base, 0.5);
                const Rgb hill = mix(crest, mood.farHills * 0.85, std::sqrt(depth)) +
                                 mood.glowColour * (0.25 * std::exp(-spread / 0.12));
                colour = mix(colour, hill, cover);
            }
            if (y >= nearRidge[column] - 1.0) {
                const double cover =
                    smoothStep(nearRidge[column] - 0.5, nearRidge[column] + 0.5, y);
                const double rim = std::exp(-(y - nearRidge[column]) / (2.0 * scale));
                const Rgb hill =
                    mix(mood.nearHills, mix(mood.farHills, mood.glowColour, 0.3), 0.6 * rim);
                colour = mix(colour, hill, cover);
            }
            for (int k = 0; k < lowRanges; ++k) {
                const double ridge = lowRidge[k * size.width() + column];
                if (y < ridge - 1.0)
                    continue;
                const double cover = smoothStep(ridge - 0.5, ridge + 0.5, y);
                const double rim = std::exp(-(y - ridge) / (2.0 * scale));
                const Rgb hill = mix(mood.nearHills * (0.62 - 0.25 * k), mood.nearHills, 0.5 * rim);
                colour = mix(colour, hill, cover);
            }

            line[column] = qRgb(int(std::clamp(std::lround(colour.r), 0L, 255L)),
                                int(std::clamp(std::lround(colour.g), 0L, 255L)),
                                int(std::clamp(std::lround(colour.b), 0L, 255L)));
        }
    }
    return image;
}

// Averages each square of factor x factor pixels into one.
QImage boxDownscale(const QImage& source, int factor)
{
    const QImage in = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(in.width() / factor, in.height() / factor, QImage::Format_RGB32);
    const int area = factor * factor;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            int r = 0, g = 0, b = 0;
            for (int j = 0; j < factor; ++j) {
                const auto* row = reinterpret_cast<const QRgb*>(in.constScanLine(y * factor + j));
                for (int i = 0; i < factor; ++i) {
                    const QRgb p = row[x * factor + i];
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                }
            }
            line[x] = qRgb((r + area / 2) / area, (g + area / 2) / area, (b + area / 2) / area);
        }
    }
    return out;
}

} // namespace

QImage sunsetSky(SunsetShape shape, int scale)
{
    const QRect frame(0, 0, 800, 600);
    const QMargins reach = shape == SunsetShape::Wide   ? QMargins(800, 0, 800, 0)
                           : shape == SunsetShape::Tall ? QMargins(0, 500, 0, 500)
                                                        : QMargins();
    const QRect drawn = frame.marginsAdded(reach);
    return paintSky(drawn.size() * scale, QRect(-drawn.topLeft() * scale, frame.size() * scale),
                    eveningMood(), scale);
}

QImage previewScene(QSize size)
{
    constexpr int factor = 4;
    const QSize large = size * factor;
    QImage scene = paintSky(large, QRect(QPoint(0, 0), large), duskMood(), large.height() / 460.0);
    scene = scene.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const double s = large.height() / 460.0;

    auto at = [s](double x, double y) { return QPointF(x * s, y * s); };
    auto craft = [](AirframeKind kind, const Livery& livery, QPointF centre, double length,
                    double haze, std::uint32_t seed) {
        return Aircraft{.kind = kind,
                        .livery = livery,
                        .centre = centre,
                        .length = length,
                        .haze = haze,
                        .seed = seed};
    };

    // A vic of three heading left across the upper sky.
    const double vicLength = 150 * s;
    drawGroup(
        scene,
        {craft(AirframeKind::Twinfin, liveries::airGrey(), at(250, 110), vicLength, 0.05, 1),
         craft(AirframeKind::Twinfin, liveries::airGrey(), at(380, 160), vicLength * 1.06, 0.0, 2),
         craft(AirframeKind::Twinfin, liveries::airGrey(), at(365, 66), vicLength * 0.9, 0.2, 3)},
        Facing::Left);
    // A single fighter on afterburner, heading right, low over the clouds.
    drawAircraft(
        scene, craft(AirframeKind::Canard, liveries::stealthBlack(), at(300, 330), 210 * s, 0.0, 4),
        Facing::Right);
    // A distant pair far off to the right.
    drawGroup(scene,
              {craft(AirframeKind::Delta, liveries::silver(), at(470, 262), 80 * s, 0.35, 5),
               craft(AirframeKind::Delta, liveries::silver(), at(520, 284), 84 * s, 0.3, 6)},
              Facing::Left);
    return boxDownscale(scene, factor);
}

} // namespace skyraid::art
