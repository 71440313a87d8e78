// The message, the logo and the clock drawn over the scene.
#include "clockformat.h"
#include "saverscene.h"
#include "settings/conversions.h"

#include <limits>
#include <optional>

#include <QLocale>

namespace skyraid {

namespace {

constexpr QRgb Cyan = qRgb(0, 255, 255);
constexpr QRgb Yellow = qRgb(255, 255, 0);

std::optional<int> toInt32(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<int>::min() && rounded <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(rounded);
}

} // namespace

void SaverScene::placeMessage()
{
    // A size that is no number, or none a position can be made of, shows no
    // message rather than a wrong one. Its foot stays 10 units above the
    // bottom edge.
    if (!m_options.messageSize)
        return;
    const double size = *m_options.messageSize;
    const std::optional<int> pixels = toInt32(size);
    const std::optional<int> y = toInt32(m_canvasSize.height() - 10 - size);
    if (!pixels || !y)
        return;
    m_messagePixels = pixels;
    m_messageY = *y;
}

void SaverScene::drawMessage()
{
    if (!m_messagePixels)
        return;
    m_services.drawing.setTextFont(m_messageFont, *m_messagePixels);
    m_services.drawing.drawText(m_message, 5, m_messageY, Cyan);
}

void SaverScene::drawLogo()
{
    m_services.drawing.drawSurface(m_logoPicture);
}

void SaverScene::drawClock()
{
    // The sample changes once a second; the text is made once for it.
    if (m_clockTextTime != m_clockSample || m_clockText.isEmpty()) {
        m_clockTextTime = m_clockSample;
        const QLocale locale = QLocale::system();
        if (m_clockFormat.isEmpty())
            m_clockFormat = clockFormat(locale);
        m_clockText = locale.toString(m_clockSample, m_clockFormat);
    }
    m_services.drawing.setTextFont(QStringLiteral("Arial"), m_options.clockFontSize);
    m_services.drawing.drawText(m_clockText, 0, 0, Yellow);
}

} // namespace skyraid
