#pragma once

#include "platform/platform.h"
#include "scene/drawingcontrol.h"
#include "scene/imagecontrol.h"
#include "scene/timesource.h"
#include "settings/settingsstore.h"
#include "setup/dialogservices.h"
#include "sound/soundcontrol.h"

#include <vector>

#include <QColor>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

namespace skyraid::test {

// The path of a program built beside the tests.
QString builtProgram(const QString& name);

// The whole file, or nothing when it cannot be read.
QByteArray readFile(const QString& path);

// Compares the text with the file of that name in golden/, which is written
// anew only on purpose, when SKYRAID_UPDATE_GOLDEN is set.
void expectGoldenText(const QString& fileName, const QByteArray& text);

// A settings store in memory that remembers every write in order.
class MemoryStore final : public SettingsStore {
public:
    QString read(Section section, const QString& key, const QString& fallback) override
    {
        return m_values.value(qMakePair(section, key), fallback);
    }
    WriteResult write(Section section, const QString& key, const QString& text) override
    {
        m_values.insert(qMakePair(section, key), text);
        m_writes.push_back(key);
        return {};
    }
    const QStringList& writes() const { return m_writes; }
    int size() const { return int(m_values.size()); }

private:
    QMap<QPair<Section, QString>, QString> m_values;
    QStringList m_writes;
};

// A desktop for the saver: it remembers what was asked of it.
class FakePlatform final : public Platform {
public:
    bool displayProperties = false;
    bool otherSaverRuns = false;
    int claims = 0;
    bool lastClaimExclusive = false;
    // The native windows on the desktop and their client sizes.
    QMap<quintptr, QSize> windows;
    // "showCursor(false)", "running(true)", "message(<title>)"; into `log`
    // when one is given, so that calls of several fakes can be ordered.
    QStringList calls;
    QStringList* log = &calls;

    bool topLevelWindowExists(const QString& title) override
    {
        return displayProperties && title == u"Display Properties";
    }
    std::unique_ptr<FullScreenClaim> claimFullScreen(bool exclusive) override
    {
        ++claims;
        lastClaimExclusive = exclusive;
        if (exclusive && otherSaverRuns)
            return nullptr;
        return std::make_unique<FullScreenClaim>();
    }
    bool changeScreenSaverPassword(quintptr) override { return false; }
    void setScreenSaverRunning(QWindow*, bool running) override
    {
        *log << (running ? QStringLiteral("running(true)") : QStringLiteral("running(false)"));
    }
    void showCursor(bool show) override
    {
        *log << (show ? QStringLiteral("showCursor(true)") : QStringLiteral("showCursor(false)"));
    }
    void showMessage(const QString& title, const QString& text) override
    {
        *log << QStringLiteral("message(%1)").arg(title);
        messages << text;
    }
    void watchTermination(std::function<void()>) override {}
    std::optional<QSize> clientSize(quintptr window) override
    {
        if (!windows.contains(window))
            return std::nullopt;
        return windows.value(window);
    }
    void settleInHost(quintptr, quintptr, QSize) override {}

    QStringList messages;
};

// Message boxes written down instead of shown, so nothing waits: "icon|title|text", the
// icon 0 for none and 1 for an exclamation mark.
class RecordingMessages final : public MessageBoxes {
public:
    QStringList shown;
    void show(QWidget*, Icon icon, const QString& title, const QString& text) override
    {
        shown << QStringLiteral("%1|%2|%3").arg(int(icon)).arg(title, text);
    }
};

// Sound calls, written down.
class RecordingSound final : public SoundControl {
public:
    explicit RecordingSound(QStringList* log) : m_log(log) {}
    std::int32_t loadSound(const QString& fileName) override
    {
        *m_log << QStringLiteral("loadSound(%1)").arg(fileName.section(u'/', -1));
        return 7;
    }
    void releaseSound(std::int32_t sound) override { add(u"releaseSound", sound); }
    void stopSound(std::int32_t sound) override { add(u"stopSound", sound); }
    void setVolume(std::int32_t sound, std::int32_t volume) override
    {
        *m_log << QStringLiteral("setVolume(%1,%2)").arg(sound).arg(volume);
    }
    void playSound(std::int32_t sound, std::int32_t, std::int32_t) override
    {
        add(u"playSound", sound);
    }
    void stopAllSounds() override { *m_log << QStringLiteral("stopAllSounds"); }

private:
    void add(QStringView name, std::int32_t sound)
    {
        *m_log << QStringLiteral("%1(%2)").arg(name).arg(sound);
    }
    QStringList* m_log;
};

// Clocks that only move when a test moves them.
class FakeTime final : public TimeSource {
public:
    std::uint32_t ticks = 1000;
    QTime time = QTime(12, 0);
    std::uint32_t tickCount() override { return ticks; }
    QTime timeOfDay() override { return time; }
};

// The same fraction sequence every time, chosen by the test.
class ScriptedRandom final : public RandomSource {
public:
    std::vector<double> fractions{0.5};
    double nextFraction() override
    {
        const double value = fractions[m_next % fractions.size()];
        ++m_next;
        return value;
    }

private:
    std::size_t m_next = 0;
};

// The image control, with every call written down.
class RecordingDrawing final : public DrawingControl {
public:
    explicit RecordingDrawing(QStringList* log) : m_log(log) {}
    ImageControl image;
    bool displayWorks = true;

    void setEvents(DrawingEvents* events) override { image.setEvents(events); }
    void setFillScreen(bool fill) override { image.setFillScreen(fill); }
    QSize canvasSize() const override { return image.canvasSize(); }
    void coverCanvas(Surface s) override
    {
        *m_log << QStringLiteral("coverCanvas(%1)").arg(s);
        image.coverCanvas(s);
    }
    bool openDisplay() override
    {
        *m_log << QStringLiteral("openDisplay");
        return displayWorks && image.openDisplay();
    }
    Surface createSurface() override
    {
        const Surface surface = image.createSurface();
        *m_log << QStringLiteral("createSurface=%1").arg(surface);
        return surface;
    }
    void loadPicture(Surface surface, const QString& fileName, Transparency code) override
    {
        static constexpr const char* Codes[] = {"opaque", "keyed", "alpha"};
        *m_log << QStringLiteral("loadPicture(%1,%2,%3)")
                      .arg(surface)
                      .arg(fileName.section(u'/', -1))
                      .arg(QLatin1String(Codes[int(code)]));
        image.loadPicture(surface, fileName, code);
    }
    bool hasPicture(Surface s) override { return image.hasPicture(s); }
    void setSurfaceX(Surface s, int x) override
    {
        add(u"setSurfaceX", s, x, [&] { image.setSurfaceX(s, x); });
    }
    void setSurfaceY(Surface s, int y) override
    {
        add(u"setSurfaceY", s, y, [&] { image.setSurfaceY(s, y); });
    }
    int surfaceX(Surface s) override { return image.surfaceX(s); }
    void moveSurfaceX(Surface s, int d) override
    {
        add(u"moveSurfaceX", s, d, [&] { image.moveSurfaceX(s, d); });
    }
    void moveSurfaceY(Surface s, int d) override
    {
        add(u"moveSurfaceY", s, d, [&] { image.moveSurfaceY(s, d); });
    }
    void drawSurface(Surface s) override
    {
        *m_log << QStringLiteral("drawSurface(%1)").arg(s);
        image.drawSurface(s);
    }
    void fill(QRgb colour) override
    {
        *m_log << QStringLiteral("fill(%1)").arg(QColor::fromRgb(colour).name());
        image.fill(colour);
    }
    void setTextFont(const QString& face, int pixelHeight) override
    {
        *m_log << QStringLiteral("setTextFont(%1,%2)").arg(face).arg(pixelHeight);
        image.setTextFont(face, pixelHeight);
    }
    void drawText(const QString& text, int x, int y, QRgb colour) override
    {
        *m_log << QStringLiteral("drawText(%1,%2,%3,%4)")
                      .arg(text)
                      .arg(x)
                      .arg(y)
                      .arg(QColor::fromRgb(colour).name());
        image.drawText(text, x, y, colour);
    }
    void flip() override
    {
        *m_log << QStringLiteral("flip");
        image.flip();
    }

private:
    template <typename Forward> void add(QStringView name, Surface s, int value, Forward forward)
    {
        *m_log << QStringLiteral("%1(%2,%3)").arg(name).arg(s).arg(value);
        forward();
    }
    QStringList* m_log;
};

} // namespace skyraid::test
