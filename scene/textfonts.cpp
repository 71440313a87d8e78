#include "textfonts.h"

#include <algorithm>

namespace skyraid {

namespace {

// The largest text height worth rendering, in units: anything taller than a
// tall canvas shows nothing more, and giant glyphs cost time and memory.
constexpr int MaxTextHeight = 2400;

// Fonts kept at once; a scene uses two or three.
constexpr std::size_t MaxFonts = 8;

} // namespace

void TextFonts::select(const QString& face, int pixelHeight, unsigned generation)
{
    pixelHeight = std::clamp(pixelHeight, 1, MaxTextHeight);
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].face == face && m_fonts[i].pixelHeight == pixelHeight) {
            m_current = i;
            return;
        }
    }
    if (m_fonts.size() >= MaxFonts)
        m_fonts.pop_front();
    QFont font(face);
    font.setPixelSize(std::max(1, qRound(pixelHeight * m_scale)));
    m_fonts.push_back(Font{face, pixelHeight, font, QFontMetrics(font), generation});
    m_current = m_fonts.size() - 1;
}

const TextFonts::Font* TextFonts::current() const
{
    return m_current ? &m_fonts[*m_current] : nullptr;
}

} // namespace skyraid
