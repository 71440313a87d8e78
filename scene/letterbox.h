#pragma once

#include <cstdint>
#include <vector>

#include <QImage>
#include <QRect>
#include <QSize>

namespace skyraid {

// Scales the canvas onto a screen of any size once per frame: the
// aspect ratio kept, centred, black bars where the shapes differ. Only the
// parts of the canvas that changed need scaling again; the result is the
// same as scaling the whole canvas, pixel for pixel.
class Letterbox {
public:
    Letterbox(QSize canvas, QSize screen);

    QSize canvas() const { return m_canvas; }
    QSize screen() const { return m_screen; }
    // Where the canvas lands on the screen.
    QRect target() const { return m_target; }
    // The screen pixels that a changed canvas rectangle may affect.
    QRect screenRectFor(const QRect& canvasRect) const;
    // Draws the scaled canvas into `screenImage` (32-bit, screen-sized) within
    // `screenRect`, which must lie inside target().
    void scale(const QImage& canvas, QImage& screenImage, const QRect& screenRect) const;
    // Fills everything outside target() with black.
    void paintBars(QImage& screenImage) const;

    // Whether the canvas lands on the screen pixel for pixel, not scaled.
    bool isCopy() const { return m_target.size() == m_canvas; }

private:
    struct Tap {
        int first;       // first source pixel
        int second;      // the next one (the same at the far edge)
        std::uint32_t w; // weight of the second, 0..256
    };
    static std::vector<Tap> taps(int source, int target);

    QSize m_canvas;
    QSize m_screen;
    QRect m_target;
    double m_scale = 1.0;
    std::vector<Tap> m_columns;
    std::vector<Tap> m_rows;
};

} // namespace skyraid
