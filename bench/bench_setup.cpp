// Prints how long the configuration dialog takes to open (construction and
// loading of every option), and from the start of its process to its first
// paint, with this machine's fonts and with several hundred more font
// families installed.
//
// Each figure comes from a fresh process, so the font database is read from
// scratch as when the user opens the dialog. The extra families are copies of
// one font under other names, in a private font folder given to fontconfig.

#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "setup/setup.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QProcess>
#include <QTemporaryDir>

using namespace skyraid;

namespace {

constexpr int Runs = 5;
constexpr int ExtraFamilies = 300;
const QString SourceFont = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");

// One opening of the dialog in this process: prints the milliseconds that
// making it took and the number of font families, then shows it and says
// "painted" when its first paint is done.
int openOnce(const QString& iniPath)
{
    SystemSettingsStore store(iniPath);
    QElapsedTimer timer;
    timer.start();
    Setup setup(store);
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("%.1f %d\n", ms, int(QFontDatabase::families().size()));
    std::fflush(stdout);

    struct FirstPaint : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint) {
                std::puts("painted");
                std::fflush(stdout);
                QCoreApplication::exit(0);
            }
            return QObject::eventFilter(watched, event);
        }
    } firstPaint;
    setup.installEventFilter(&firstPaint);
    setup.show();
    return QApplication::exec();
}

// Writes copies of the source font whose family is "DejaVu S000" and so on:
// the new name has the same length as "DejaVu Sans", so the name table keeps
// its layout and only its text changes.
bool writeFamilies(const QString& folder)
{
    QFile source(SourceFont);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = source.readAll();
    const QString original = QStringLiteral("DejaVu Sans");
    auto utf16be = [](const QString& text) {
        QByteArray bytes;
        for (QChar c : text) {
            bytes.append(char(c.unicode() >> 8));
            bytes.append(char(c.unicode() & 0xff));
        }
        return bytes;
    };
    for (int i = 0; i < ExtraFamilies; ++i) {
        const QString renamed = QStringLiteral("DejaVu S%1").arg(i, 3, 10, QLatin1Char('0'));
        QByteArray copy = data;
        copy.replace(original.toLatin1(), renamed.toLatin1());
        copy.replace(utf16be(original), utf16be(renamed));
        QFile out(QStringLiteral("%1/family%2.ttf").arg(folder).arg(i));
        if (!out.open(QIODevice::WriteOnly) || out.write(copy) != copy.size())
            return false;
    }
    return true;
}

struct Figures {
    std::vector<double> ms;      // making the dialog
    std::vector<double> paintMs; // from the process's start to the first paint
    int families = 0;
};

Figures measure(const QString& iniPath, const QProcessEnvironment& env)
{
    Figures figures;
    for (int run = 0; run < Runs; ++run) {
        QProcess child;
        child.setProcessEnvironment(env);
        QElapsedTimer sinceStart;
        sinceStart.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open"), iniPath});
        QByteArray output;
        while (!output.contains("painted") && child.waitForReadyRead(60000))
            output += child.readAllStandardOutput();
        const double paintMs = sinceStart.nsecsElapsed() / 1e6;
        child.waitForFinished(60000);
        const QList<QByteArray> lines = output.split('\n');
        const QList<QByteArray> fields = lines.value(0).trimmed().split(' ');
        if (fields.size() != 2 || !output.contains("painted"))
            continue;
        figures.ms.push_back(fields[0].toDouble());
        figures.paintMs.push_back(paintMs);
        figures.families = fields[1].toInt();
    }
    std::sort(figures.ms.begin(), figures.ms.end());
    std::sort(figures.paintMs.begin(), figures.paintMs.end());
    return figures;
}

void report(const char* what, const Figures& figures)
{
    if (figures.ms.empty()) {
        std::printf("%s: no figures\n", what);
        return;
    }
    const auto median = [](const std::vector<double>& ms) { return ms[ms.size() / 2]; };
    std::printf("%s, %d families:\n", what, figures.families);
    std::printf("  making the dialog: median %.1f ms (min %.1f, max %.1f)\n", median(figures.ms),
                figures.ms.front(), figures.ms.back());
    std::printf("  start to first paint: median %.1f ms (min %.1f, max %.1f) (target under 150 "
                "ms)\n",
                median(figures.paintMs), figures.paintMs.front(), figures.paintMs.back());
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && args[1] == u"--open")
        return openOnce(args[2]);

    QTemporaryDir work;
    const QString iniPath = work.filePath(QStringLiteral("SkyRaid.ini"));
    {
        SystemSettingsStore store(iniPath);
        writeFirstRunSettings(store, QStringLiteral("/nowhere/"));
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    report("Setup dialog, this machine's fonts", measure(iniPath, env));

    const QString fonts = work.filePath(QStringLiteral("fonts"));
    QDir().mkpath(fonts);
    if (!writeFamilies(fonts)) {
        std::printf("cannot copy %s; skipping the many-fonts figure\n", qPrintable(SourceFont));
        return 0;
    }
    const QString conf = work.filePath(QStringLiteral("fonts.conf"));
    QFile confFile(conf);
    if (!confFile.open(QIODevice::WriteOnly))
        return 1;
    confFile.write(
        QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM "
                       "\"fonts.dtd\">\n<fontconfig>\n"
                       "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n"
                       "  <dir>%1</dir>\n  <cachedir>%2</cachedir>\n</fontconfig>\n")
            .arg(fonts, work.filePath(QStringLiteral("fontcache")))
            .toUtf8());
    confFile.close();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), conf);
    // The first run builds fontconfig's cache of the new folder, as installing
    // fonts does; it is not counted.
    measure(iniPath, env);
    report("Setup dialog, with 300 more families", measure(iniPath, env));
    return 0;
}
