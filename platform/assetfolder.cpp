#include "platform.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace skyraid {

QString assetFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Stratowave\\SkyRaid1\\");
#else
    static const QString folder = [] {
        const auto asFolder = [](const QString& path) { return QDir::cleanPath(path) + u'/'; };
        QStringList candidates;
        std::error_code error;
        const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
        if (!error) {
            candidates << asFolder(QFile::decodeName(exe.parent_path().string().c_str()) +
                                   QStringLiteral("/" SKYRAID_ASSET_RELPATH));
        }
        for (const QString& data :
             QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
            candidates << asFolder(data + QStringLiteral("/skyraid"));
        // Where the program was meant to be installed.
        candidates << asFolder(QStringLiteral(SKYRAID_INSTALL_BINDIR "/" SKYRAID_ASSET_RELPATH));

        for (const QString& candidate : candidates) {
            if (QFileInfo(candidate + QStringLiteral("FastJet.bmp")).isFile())
                return candidate;
        }
        candidates.removeDuplicates();
        std::fprintf(stderr, "skyraid: cannot find the pictures and the sound; looked in %s\n",
                     qPrintable(candidates.join(QStringLiteral(", "))));
        return candidates.front();
    }();
    return folder;
#endif
}

} // namespace skyraid
