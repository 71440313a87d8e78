#include "assets/sprites.h"

#include <algorithm>
#include <functional>

namespace skyraid::art {

namespace {

bool nearKey(int r, int g, int b)
{
    return r > 224 && g < 40 && b > 224;
}

// Formations are laid out facing right, the leader in front; a picture for a
// leftward flight is the mirror image. Offsets are in aircraft lengths, y down.
struct Slot {
    double back; // how far behind the leader
    double down; // how far below the leader
    double size; // length relative to the leader
    double haze; // 0 near, up to 1 far
};

std::vector<Aircraft> formation(AirframeKind kind, const Livery& livery, double length,
                                const std::vector<Slot>& slots, std::uint32_t seed)
{
    // The canvas is cropped afterwards; start the leader well inside it.
    const QPointF lead(380.0 - length * 0.6, 150.0);
    std::vector<Aircraft> group;
    std::uint32_t n = 0;
    for (const Slot& slot : slots) {
        group.push_back({.kind = kind,
                         .livery = livery,
                         .centre = lead + QPointF(-slot.back * length, slot.down * length),
                         .length = length * slot.size,
                         .haze = slot.haze,
                         .seed = seed + 17 * n++});
    }
    return group;
}

const std::vector<Slot> single{{0, 0, 1, 0}};
const std::vector<Slot> pair{{0, 0, 1, 0.12}, {0.95, 0.32, 1.04, 0}};
const std::vector<Slot> vic{{0, 0, 1, 0.08}, {0.86, 0.34, 1.06, 0}, {0.76, -0.3, 0.9, 0.22}};
const std::vector<Slot> diamond{
    {0, 0, 1, 0.08}, {0.86, 0.34, 1.06, 0}, {0.78, -0.3, 0.9, 0.22}, {1.78, 0.04, 0.98, 0.12}};
const std::vector<Slot> trail{{0, 0, 1, 0.06}, {1.26, 0.2, 1, 0.06}, {2.52, 0.4, 1, 0.06}};
const std::vector<Slot> arrow{{0, 0, 1, 0.1},
                              {0.8, 0.3, 1.05, 0.04},
                              {1.6, 0.6, 1.1, 0},
                              {0.74, -0.26, 0.92, 0.2},
                              {1.48, -0.5, 0.85, 0.3}};

std::vector<Slot> echelon(int count, double back, double down)
{
    std::vector<Slot> slots;
    for (int i = 0; i < count; ++i)
        slots.push_back({back * i, down * i, 1.0 + 0.04 * i, 0.18 - 0.05 * i});
    return slots;
}

struct PictureRecipe {
    const char* fileName;
    Facing facing;
    int maxWidth;  // so the picture is off screen where its flight parks it
    int maxHeight; // so a low flight stays on screen
    std::function<std::vector<Aircraft>()> group;
};

std::vector<PictureRecipe> recipes()
{
    using K = AirframeKind;
    namespace L = liveries;
    return {
        {"FastJet.bmp", Facing::Left, 350, 120,
         [] { return formation(K::Canard, L::racer(), 118, single, 1); }},
        {"skyrbg.bmp", Facing::Left, 350, 120,
         [] {
             auto group = formation(K::Airliner, L::airline(), 100, single, 2);
             group[0].haze = 0.45;
             group[0].afterburner = false;
             return group;
         }},
        {"skyr01.bmp", Facing::Left, 288, 200,
         [] { return formation(K::Twinfin, L::airGrey(), 92, vic, 10); }},
        {"skyr02.bmp", Facing::Right, 301, 200,
         [] { return formation(K::Striker, L::desert(), 96, pair, 20); }},
        {"skyr12.bmp", Facing::Left, 305, 200,
         [] { return formation(K::Trainer, L::displayRed(), 78, diamond, 30); }},
        {"skyr03.bmp", Facing::Right, 270, 200,
         [] { return formation(K::Delta, L::navy(), 150, single, 40); }},
        {"skyr16.bmp", Facing::Left, 350, 40,
         [] { return formation(K::Striker, L::airGrey(), 86, single, 50); }},
        {"skyr08.bmp", Facing::Right, 280, 200,
         [] { return formation(K::Canard, L::seaGrey(), 64, trail, 60); }},
        {"skyr10.bmp", Facing::Left, 305, 200,
         [] { return formation(K::Twinfin, L::navy(), 70, echelon(4, 0.75, 0.3), 70); }},
        {"skyr09.bmp", Facing::Right, 285, 200,
         [] { return formation(K::Trainer, L::displayBlue(), 84, vic, 80); }},
        {"skyr14.bmp", Facing::Left, 288, 200,
         [] { return formation(K::Delta, L::stealthBlack(), 92, pair, 90); }},
        {"skyr18.bmp", Facing::Left, 301, 200,
         [] { return formation(K::Striker, L::displayBlue(), 62, arrow, 100); }},
        {"skyr13.bmp", Facing::Right, 271, 200,
         [] { return formation(K::Twinfin, L::woodland(), 140, single, 110); }},
        {"skyr17.bmp", Facing::Left, 341, 200,
         [] { return formation(K::Canard, L::airGrey(), 86, diamond, 120); }},
        {"skyr19.bmp", Facing::Left, 280, 200,
         [] { return formation(K::Delta, L::silver(), 64, trail, 130); }},
        {"skyr22.bmp", Facing::Right, 280, 200,
         [] { return formation(K::Canard, L::desert(), 72, echelon(3, 0.8, 0.28), 140); }},
        {"skyr20.bmp", Facing::Left, 301, 200,
         [] { return formation(K::Striker, L::navy(), 56, echelon(5, 0.72, 0.28), 150); }},
    };
}

} // namespace

QRect keyedBox(const QImage& art)
{
    const QImage source = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int left = source.width();
    int right = -1;
    int top = source.height();
    int bottom = -1;
    for (int y = 0; y < source.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (qAlpha(line[x]) >= 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    return QRect(QPoint(left - 1, top - 1), QPoint(right + 1, bottom + 1));
}

QImage keyedSprite(const QImage& art)
{
    const QImage source = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRect box = keyedBox(source);
    if (box.isEmpty()) {
        QImage empty(1, 1, QImage::Format_RGB32);
        empty.fill(keyColour);
        return empty;
    }
    const int left = box.left() + 1;
    const int right = box.right() - 1;
    const int top = box.top() + 1;
    const int bottom = box.bottom() - 1;

    QImage sprite(right - left + 3, bottom - top + 3, QImage::Format_RGB32);
    sprite.fill(keyColour);
    for (int y = top; y <= bottom; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(sprite.scanLine(y - top + 1));
        for (int x = left; x <= right; ++x) {
            const QRgb p = in[x];
            const int a = qAlpha(p);
            if (a < 128)
                continue;
            int r = std::min(255, qRed(p) * 255 / a);
            int g = std::min(255, qGreen(p) * 255 / a);
            int b = std::min(255, qBlue(p) * 255 / a);
            if (nearKey(r, g, b))
                g = 64;
            out[x - left + 1] = qRgb(r, g, b);
        }
    }
    return sprite;
}

std::vector<SpriteArt> aircraftPictures()
{
    std::vector<SpriteArt> pictures;
    for (const PictureRecipe& recipe : recipes()) {
        const QSize area(420, 320);
        QImage canvas(area, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        const std::vector<Aircraft> group = recipe.group();
        drawGroup(canvas, group, Facing::Right);
        QImage sprite = keyedSprite(canvas);

        // The same aircraft drawn larger, cut to the same box.
        QImage large(area * sharpFactor, QImage::Format_ARGB32_Premultiplied);
        large.fill(Qt::transparent);
        std::vector<Aircraft> largeGroup = group;
        for (Aircraft& aircraft : largeGroup) {
            aircraft.centre *= sharpFactor;
            aircraft.length *= sharpFactor;
        }
        drawGroup(large, largeGroup, Facing::Right);
        const QRect box = keyedBox(canvas);
        QImage sharp = large.copy(box.x() * sharpFactor, box.y() * sharpFactor,
                                  box.width() * sharpFactor, box.height() * sharpFactor);
        if (recipe.facing == Facing::Left) {
            sprite = sprite.mirrored(true, false);
            sharp = sharp.mirrored(true, false);
        }
        pictures.push_back({QString::fromLatin1(recipe.fileName), recipe.facing, sprite,
                            QSize(recipe.maxWidth, recipe.maxHeight), sharp});
    }
    return pictures;
}

} // namespace skyraid::art
