#include "assets/contactsheet.h"

#include <algorithm>

#include <QPainter>

namespace skyraid::art {

namespace {

constexpr int labelWidth = 44;
constexpr int cellWidth = 360;
constexpr int gap = 8;

// Seven-segment characters for the labels.
void drawSegments(QPainter& painter, QPointF at, double size, const char* segments)
{
    const double w = size * 0.55;
    const double h = size;
    const QPointF a = at;
    const QLineF lines[7] = {
        {a + QPointF(0, 0), a + QPointF(w, 0)},         // a: top
        {a + QPointF(w, 0), a + QPointF(w, h / 2)},     // b: upper right
        {a + QPointF(w, h / 2), a + QPointF(w, h)},     // c: lower right
        {a + QPointF(0, h), a + QPointF(w, h)},         // d: bottom
        {a + QPointF(0, h / 2), a + QPointF(0, h)},     // e: lower left
        {a + QPointF(0, 0), a + QPointF(0, h / 2)},     // f: upper left
        {a + QPointF(0, h / 2), a + QPointF(w, h / 2)}, // g: middle
    };
    for (const char* s = segments; *s != '\0'; ++s)
        painter.drawLine(lines[*s - 'a']);
}

const char* segmentsOf(QChar c)
{
    switch (c.toLatin1()) {
    case '0':
        return "abcdef";
    case '1':
        return "bc";
    case '2':
        return "abdeg";
    case '3':
        return "abcdg";
    case '4':
        return "bcfg";
    case '5':
        return "acdfg";
    case '6':
        return "acdefg";
    case '7':
        return "abc";
    case '8':
        return "abcdefg";
    case '9':
        return "abcdfg";
    case 'F':
        return "aefg";
    case 'b':
        return "cdefg";
    default:
        return "";
    }
}

QString labelOf(const QString& fileName)
{
    if (fileName.startsWith(QLatin1String("skyr")) && fileName.size() >= 6 && fileName[4].isDigit())
        return fileName.mid(4, 2);
    if (fileName.startsWith(QLatin1String("FastJet")))
        return QStringLiteral("F");
    return QStringLiteral("b");
}

} // namespace

void drawKeyed(QImage& target, const QImage& sprite, QPoint at)
{
    const QImage source = sprite.convertToFormat(QImage::Format_RGB32);
    const QRgb key = source.pixel(0, 0);
    for (int y = 0; y < source.height(); ++y) {
        const int ty = at.y() + y;
        if (ty < 0 || ty >= target.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(ty));
        for (int x = 0; x < source.width(); ++x) {
            const int tx = at.x() + x;
            if (tx >= 0 && tx < target.width() && in[x] != key)
                out[tx] = in[x];
        }
    }
}

QImage contactSheet(const std::vector<SpriteArt>& sprites, const SunsetVersions& sunset,
                    const QImage& logo, const QImage& preview)
{
    int gridHeight = gap;
    for (const SpriteArt& art : sprites)
        gridHeight += art.picture.height() + 2 * gap;
    const int sceneHeight = sunset.picture.height();
    // The panorama at half its size, the tall version as high beside it.
    const QSize wideShown = sunset.wide.size() / 2;
    const QSize tallShown = sunset.tall.size().scaled(wideShown, Qt::KeepAspectRatio);
    const int width = std::max({labelWidth + 3 * cellWidth + gap,
                                labelWidth + sunset.picture.width() + 2 * preview.width() + 2 * gap,
                                labelWidth + wideShown.width() + tallShown.width() + 2 * gap});
    const QSize size(width, gridHeight + sceneHeight + wideShown.height() + 3 * gap);

    QImage sheet(size, QImage::Format_RGB32);
    sheet.fill(qRgb(64, 64, 68));
    const QImage sunsetRgb = sunset.picture.convertToFormat(QImage::Format_RGB32);

    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    int y = gap;
    int row = 0;
    for (const SpriteArt& art : sprites) {
        const int h = art.picture.height() + 2 * gap;
        const QRect black(labelWidth, y - gap / 2, cellWidth, h);
        const QRect blue = black.translated(cellWidth, 0);
        const QRect dusk = blue.translated(cellWidth, 0);
        painter.fillRect(black, Qt::black);
        painter.fillRect(blue, QColor(0, 226, 251));
        // Walk down the sunset from row to row so the pictures meet all of it.
        const int skyY = std::clamp(row * (sunsetRgb.height() - h) /
                                        int(std::max<std::size_t>(1, sprites.size() - 1)),
                                    0, sunsetRgb.height() - h);
        painter.drawImage(dusk.topLeft(), sunsetRgb, QRect(200, skyY, cellWidth, h));

        painter.setPen(QPen(QColor(230, 230, 230), 2.2, Qt::SolidLine, Qt::RoundCap));
        const QString label = labelOf(art.fileName);
        for (int i = 0; i < label.size(); ++i)
            drawSegments(painter, QPointF(8 + i * 14, y + h / 2 - 12), 18, segmentsOf(label[i]));
        painter.setPen(Qt::NoPen);

        const int x = (cellWidth - art.picture.width()) / 2;
        painter.end();
        for (const QRect& cell : {black, blue, dusk})
            drawKeyed(sheet, art.picture, cell.topLeft() + QPoint(x, gap / 2 + gap / 2));
        painter.begin(&sheet);
        painter.setRenderHint(QPainter::Antialiasing);
        y += h;
        ++row;
    }

    // A frame of the scene: the sunset, the logo, and aircraft in mid-flight.
    const QPoint scene(labelWidth, y + gap);
    painter.drawImage(scene, sunsetRgb);
    painter.drawImage(scene + QPoint(1, 20), logo);
    painter.end();
    const auto find = [&](const char* name) -> const QImage& {
        for (const SpriteArt& art : sprites)
            if (art.fileName == QLatin1String(name))
                return art.picture;
        return sprites.front().picture;
    };
    drawKeyed(sheet, find("skyrbg.bmp"), scene + QPoint(420, 330));
    drawKeyed(sheet, find("skyr01.bmp"), scene + QPoint(40, 180));
    drawKeyed(sheet, find("skyr02.bmp"), scene + QPoint(360, 120));
    drawKeyed(sheet, find("FastJet.bmp"), scene + QPoint(600, 40));
    drawKeyed(sheet, find("skyr16.bmp"), scene + QPoint(600, 480));
    drawKeyed(sheet, find("skyr17.bmp"), scene + QPoint(120, 370));

    // The preview picture as the control panel shows it, and enlarged.
    painter.begin(&sheet);
    const QPoint previewAt(scene.x() + sunsetRgb.width() + gap, scene.y());
    const QImage previewRgb = preview.convertToFormat(QImage::Format_RGB32);
    painter.drawImage(previewAt, previewRgb);
    painter.drawImage(previewAt + QPoint(0, previewRgb.height() + gap),
                      previewRgb.scaled(previewRgb.size() * 2));

    // The versions for wide and tall screens, the picture's own part in each
    // outlined.
    const QRect wide(scene + QPoint(0, sceneHeight + gap), wideShown);
    const QRect tall(wide.topRight() + QPoint(gap + 1, 0), tallShown);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(QPen(QColor(255, 255, 255, 160), 1, Qt::DashLine));
    for (const auto& [rect, version] :
         {std::pair(wide, &sunset.wide), std::pair(tall, &sunset.tall)}) {
        painter.drawImage(rect, *version);
        QRect picture(QPoint(0, 0), sunset.picture.size() * rect.height() / version->height());
        picture.moveCenter(rect.center());
        painter.drawRect(picture);
    }
    painter.end();
    return sheet;
}

} // namespace skyraid::art
