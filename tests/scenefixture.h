#pragma once

#include "scene/saverscene.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "testsupport.h"

#include <memory>

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace skyraid::test {

using namespace Qt::StringLiterals;

// The program's own pictures, made here: every aircraft a small keyed box.
inline void writeAssets(const QTemporaryDir& dir)
{
    QStringList names{u"FastJet.bmp"_s, u"skyrbg.bmp"_s};
    for (int n : {1, 2, 3, 8, 9, 10, 12, 13, 14, 16, 17, 18, 19, 20, 22})
        names << QStringLiteral("skyr%1.bmp").arg(n, 2, 10, QLatin1Char('0'));
    for (const QString& name : names) {
        QImage sprite(40, 20, QImage::Format_RGB32);
        sprite.fill(qRgb(255, 0, 255));
        QPainter(&sprite).fillRect(2, 2, 36, 16, Qt::red);
        sprite.save(dir.filePath(name));
    }
    QImage sky(800, 600, QImage::Format_RGB32);
    sky.fill(qRgb(40, 90, 160));
    sky.save(dir.filePath(u"Sunset Yellow.BMP"_s), "BMP");
    sky.copy(0, 0, 400, 300).save(dir.filePath(u"small.png"_s));
}

class RunningScene : public ::testing::Test {
protected:
    RunningScene()
    {
        writeAssets(m_assets);
        platform.log = &log;
    }

    QString assets() const { return m_assets.path() + u'/'; }
    QString iniPath() const { return m_config.filePath(u"SkyRaid.ini"_s); }

    void set(Key key, const QString& text) { writeSetting(store, key, text); }
    void seed() { writeFirstRunSettings(store, assets()); }
    // Seeded, with the message, the clock and a logo shown.
    void seedWithOverlays()
    {
        seed();
        for (const Key key : {keys::MessageChecked, keys::Clock, keys::LogoChecked})
            set(key, u"1"_s);
        set(keys::LogoFileName, assets() + u"small.png"_s);
    }

    void load(const QString& assetFolder = QString())
    {
        scene = std::make_unique<SaverScene>(SceneServices{
            store, drawing, sound, platform, time, random,
            assetFolder.isEmpty() ? assets() : assetFolder, [this] { ++ended; },
            [] { return nullptr; }, [this](const QString& text) { warnings << text; }});
        drawing.setEvents(scene.get());
        scene->start();
    }

    QStringList frame()
    {
        log.clear();
        drawing.image.raiseFrame();
        return log;
    }
    // The calls logged that match `pattern`, in one line.
    std::string calls(const QString& pattern = QString()) const
    {
        return log.filter(QRegularExpression(pattern)).join(u' ').toStdString();
    }

    QTemporaryDir m_assets;
    QTemporaryDir m_config;
    SystemSettingsStore store{iniPath()};
    QStringList log;
    test::FakePlatform platform;
    test::RecordingDrawing drawing{&log};
    test::RecordingSound sound{&log};
    test::FakeTime time;
    test::ScriptedRandom random;
    int ended = 0;
    QStringList warnings; // told the user
    std::unique_ptr<SaverScene> scene;
};

} // namespace skyraid::test
