// The message, the logo and the clock drawn over the scene.
#include "form1.h"
#include "settings/conversions.h"

#include <cmath>
#include <limits>
#include <optional>

#include <QLocale>

namespace skyraid {

namespace {

constexpr std::uint32_t Cyan = RGB(0, 255, 255);
constexpr std::uint32_t Yellow = RGB(255, 255, 0);

std::optional<int> toInt32(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(rounded);
}

} // namespace

void Form1::DrawMessage()
{
    // A size that is no number, or none a position can be made of, shows no
    // message rather than a wrong one.
    const std::optional<double> size = parseNumber(FontSize);
    if (!size)
        return;
    const std::optional<int> pixels = toInt32(*size);
    const std::optional<int> y = toInt32(590 - *size);
    if (!pixels || !y)
        return;
    m_services.drawing.SetFont(FontName, *pixels, 1, false, false, false);
    m_services.drawing.DrawText(Message, 5, *y, Cyan);
}

void Form1::DrawLogo()
{
    m_services.drawing.DrawSurface(sprLogo);
}

void Form1::DrawClock()
{
    // The sample changes once a second; the text is made once for it.
    if (m_clockTextTime != ClockSample || m_clockText.isEmpty()) {
        m_clockTextTime = ClockSample;
        m_clockText = clockText(ClockSample);
    }
    m_services.drawing.SetFont(QStringLiteral("Arial"), FontClock, 1, false, false, false);
    m_services.drawing.DrawText(m_clockText, 0, 0, Yellow);
}

QString Form1::clockText(QTime time)
{
    // The locale's long time format has the seconds; drop its time zone.
    static const QString format = [] {
        QString pattern = QLocale::system().timeFormat(QLocale::LongFormat);
        pattern.remove(u't');
        return pattern.simplified();
    }();
    return QLocale::system().toString(time, format);
}

} // namespace skyraid
