// Draws every picture of the program and synthesizes its jet sound.
//
//   skyraid_assetgen <folder>          writes the files into the folder
//   skyraid_assetgen --sheet <file>    writes the contact sheet as a PNG
//
// The output depends on nothing but this code: the same bytes on every run.

#include "assets/bitmapfile.h"
#include "assets/contactsheet.h"
#include "assets/jetsound.h"
#include "assets/logo.h"
#include "assets/palette.h"
#include "assets/sky.h"
#include "assets/sprites.h"
#include "assets/wavefile.h"

#include <cstdio>
#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

using namespace skyraid::art;

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "skyraid_assetgen: %s\n", qPrintable(message));
    return 1;
}

bool fits(const SpriteArt& art)
{
    return art.picture.width() <= art.limit.width() && art.picture.height() <= art.limit.height();
}

int writeAssets(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("cannot create %1").arg(folder));
    const QDir dir(folder);
    auto write = [&](const QString& name, const QByteArray& bytes) {
        return writeFile(dir.filePath(name), bytes);
    };
    // "name.bmp" drawn `factor` times as large goes into "name@<factor>x.png".
    auto writeSharp = [&](const QString& name, const QImage& picture, int factor) {
        const QString sharpName =
            QStringLiteral("%1@%2x.png").arg(QFileInfo(name).completeBaseName()).arg(factor);
        return picture.save(dir.filePath(sharpName), "png");
    };

    for (const SpriteArt& art : aircraftPictures()) {
        if (!fits(art))
            return fail(QStringLiteral("%1 is %2 x %3, larger than its flight allows (%4 x %5)")
                            .arg(art.fileName)
                            .arg(art.picture.width())
                            .arg(art.picture.height())
                            .arg(art.limit.width())
                            .arg(art.limit.height()));
        const QImage half =
            art.sharp.scaled(art.sharp.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!write(art.fileName, bitmap24(art.picture)) ||
            !writeSharp(art.fileName, art.sharp, sharpFactor) ||
            !writeSharp(art.fileName, half, sharpFactor / 2))
            return fail(QStringLiteral("cannot write %1").arg(art.fileName));
    }
    // The sunset and the logo with their sharper versions, the preview
    // picture, the sound.
    if (!write(QStringLiteral("Sunset Yellow.BMP"), bitmap24(sunsetSky())) ||
        !writeSharp(QStringLiteral("Sunset Yellow.BMP"), sunsetSky(SunsetShape::Picture, 2), 2) ||
        !write(QStringLiteral("Logo.bmp"), bitmap24(logo())) ||
        !writeSharp(QStringLiteral("Logo.bmp"), logo(sharpFactor), sharpFactor) ||
        !writeSharp(QStringLiteral("Logo.bmp"), logo(sharpFactor / 2), sharpFactor / 2) ||
        !write(QStringLiteral("preview.bmp"), bitmap8(quantize(previewScene()))) ||
        !write(QStringLiteral("jets.wav"), wave16(jetRoar(), jetSoundRate)))
        return fail(QStringLiteral("cannot write into %1").arg(folder));
    // The sunset's versions for wide and tall screens, each with the picture
    // in its middle: at its own scale as a plain pixmap, the quickest of all
    // to read, for the first frame, and twice as large beside it. (The wide
    // one's older name goes from folders an older build wrote into.)
    const std::pair<SunsetShape, QString> sunsets[] = {
        {SunsetShape::Wide, QStringLiteral("Sunset Yellow-wide.ppm")},
        {SunsetShape::Tall, QStringLiteral("Sunset Yellow-tall.ppm")}};
    for (const auto& [shape, name] : sunsets) {
        if (!sunsetSky(shape).save(dir.filePath(name)) || !writeSharp(name, sunsetSky(shape, 2), 2))
            return fail(QStringLiteral("cannot write %1").arg(name));
    }
    QFile::remove(dir.filePath(QStringLiteral("Sunset Yellow@1x.ppm")));
    return 0;
}

int writeSheet(const QString& file)
{
    const QImage sheet =
        contactSheet(aircraftPictures(),
                     {sunsetSky(), sunsetSky(SunsetShape::Wide), sunsetSky(SunsetShape::Tall)},
                     logo(), quantize(previewScene()));
    if (!sheet.save(file, "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(file));
    return 0;
}

// The program's icon: the emblem at the left of the logo, square.
int writeIcon(const QString& file)
{
    const QImage full = logo();
    const QImage icon = full.copy(0, 0, full.height(), full.height())
                            .scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!icon.save(file, "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(file));
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && argv[1][0] != '-')
        return writeAssets(QFile::decodeName(argv[1]));
    if (argc == 3 && QByteArray(argv[1]) == "--sheet")
        return writeSheet(QFile::decodeName(argv[2]));
    if (argc == 3 && QByteArray(argv[1]) == "--icon")
        return writeIcon(QFile::decodeName(argv[2]));
    std::fprintf(stderr,
                 "usage: skyraid_assetgen <folder> | --sheet <file.png> | --icon <file.png>\n");
    return 2;
}
