#pragma once

#include <deque>
#include <optional>

#include <QFont>
#include <QFontMetrics>
#include <QString>

namespace skyraid {

// The fonts a canvas draws text in, each made once: the scene switches
// between the same few fonts every frame, and a font kept keeps its
// identity, so that unchanged texts compare equal and are neither measured
// nor painted again.
class TextFonts {
public:
    struct Font {
        QString face;
        int pixelHeight; // in units
        QFont font;      // at the canvas's scale
        QFontMetrics metrics;
        unsigned generation;
    };

    // `scale`: pixels to the unit.
    explicit TextFonts(double scale) : m_scale(scale) {}

    // Makes the font current; a new one is numbered `generation`.
    void select(const QString& face, int pixelHeight, unsigned generation);
    // The current font, if one was selected.
    const Font* current() const;

private:
    double m_scale;
    std::deque<Font> m_fonts;
    std::optional<std::size_t> m_current;
};

} // namespace skyraid
