// The program as a user installs it, into a prefix of their choice.
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"

#include <QFile>
#include <QFileInfo>

// Xlib's macros must come after everything else.
#include "xpixels.h"

using namespace skyraid;
using namespace Qt::StringLiterals;

using Install = test::XProgram;

TEST_F(Install, PutsEverythingUnderThePrefixAndTheInstalledProgramUsesIt)
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
          "share/xscreensaver/config/skyraid.xml"})
        EXPECT_TRUE(QFile::exists(root + QString::fromLatin1(file))) << file;
    const QString desktop = root + u"share/applications/skyraid"_s;
    EXPECT_TRUE(test::readFile(desktop + u".desktop"_s).contains("\nExec=skyraid /s\n"));
    EXPECT_TRUE(test::readFile(desktop + u"-settings.desktop"_s).contains("\nExec=skyraid /c\n"));
    EXPECT_TRUE(QFileInfo(root + u"libexec/xscreensaver/skyraid"_s).isExecutable());

    // The installed program on an empty store: it seeds its own asset
    // folder, not the build tree's, and shows the sunset from there.
    start({u"/s"_s}, {}, root + u"bin/skyraid"_s);
    EXPECT_TRUE(test::poll([&] {
        const QRgb centre = test::screenCentre(m_display);
        return qRed(centre) > 80 && qBlue(centre) < qRed(centre); // warm, not black
    })) << "the installed pictures were not shown";
    SystemSettingsStore store(m_config.filePath(u"SkyRaid/SkyRaid.ini"_s));
    EXPECT_EQ(readSetting(store, keys::BMPFileName),
              QFileInfo(root + u"share/skyraid"_s).canonicalFilePath() + u"/Sunset Yellow.BMP"_s);
    xdotool({u"key"_s, u"space"_s});
    expectEnds();
}
