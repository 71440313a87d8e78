// The program as a user installs it, into a prefix of their choice.
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "testsupport.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

// Xlib's macros must come after everything else.
#include "xpixels.h"

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST(Install, PutsEverythingUnderThePrefixAndTheInstalledProgramUsesIt)
{
    QTemporaryDir prefix;
    QProcess install;
    install.start(
        QStringLiteral(SKYRAID_CMAKE_COMMAND),
        {u"--install"_s, QStringLiteral(SKYRAID_BUILD_DIR), u"--prefix"_s, prefix.path()});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    const QString root = prefix.path() + u'/';
    for (const char* file :
         {"bin/skyraid", "share/skyraid/FastJet.bmp", "share/skyraid/jets.wav",
          "share/skyraid/Sunset Yellow.BMP", "share/icons/hicolor/128x128/apps/skyraid.png",
          "share/applications/skyraid.desktop", "share/applications/skyraid-settings.desktop",
          "libexec/xscreensaver/skyraid", "share/xscreensaver/config/skyraid.xml"})
        EXPECT_TRUE(QFile::exists(root + QString::fromLatin1(file))) << file;
    EXPECT_TRUE(
        readText(root + u"share/applications/skyraid.desktop"_s).contains(u"\nExec=skyraid /s\n"));
    EXPECT_TRUE(readText(root + u"share/applications/skyraid-settings.desktop"_s)
                    .contains(u"\nExec=skyraid /c\n"));
    EXPECT_TRUE(QFileInfo(root + u"libexec/xscreensaver/skyraid"_s).isExecutable());

    Display* display = qEnvironmentVariableIsEmpty("DISPLAY") ? nullptr : XOpenDisplay(nullptr);
    if (!display)
        GTEST_SKIP() << "no X display to run the installed program on";

    // The installed program on an empty store: it seeds its own asset
    // folder, not the build tree's, and shows the sunset from there.
    QTemporaryDir config;
    QProcess saver;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    env.insert(u"XDG_CONFIG_HOME"_s, config.path());
    saver.setProcessEnvironment(env);
    saver.start(root + u"bin/skyraid"_s, {u"/s"_s});
    ASSERT_TRUE(saver.waitForStarted());

    bool sunset = false;
    for (int attempt = 0; attempt < 200 && !sunset; ++attempt) {
        const QRgb centre = test::screenCentre(display);
        sunset = qRed(centre) > 80 && qBlue(centre) < qRed(centre); // warm, not black
        if (!sunset)
            QThread::msleep(50);
    }
    EXPECT_TRUE(sunset) << "the installed pictures were not shown";
    SystemSettingsStore store(config.filePath(u"SkyRaid/SkyRaid.ini"_s));
    EXPECT_EQ(readSetting(store, keys::BMPFileName),
              QFileInfo(root + u"share/skyraid"_s).canonicalFilePath() + u"/Sunset Yellow.BMP"_s);

    QProcess::execute(u"xdotool"_s, {u"key"_s, u"space"_s});
    EXPECT_TRUE(saver.waitForFinished(5000));
    EXPECT_EQ(saver.exitCode(), 0);
    if (saver.state() != QProcess::NotRunning)
        saver.kill();
    XCloseDisplay(display);
}
