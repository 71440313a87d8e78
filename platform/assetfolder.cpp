#include "platform.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFile>

namespace skyraid {

QString assetFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Stratowave\\SkyRaid1\\");
#else
    static const QString folder = [] {
        std::error_code error;
        const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
        // Without /proc, the folder where the program is installed.
        const QString bin = error ? QStringLiteral(SKYRAID_INSTALL_BINDIR)
                                  : QFile::decodeName(exe.parent_path().string().c_str());
        return QDir::cleanPath(bin + QStringLiteral("/" SKYRAID_ASSET_RELPATH)) + u'/';
    }();
    return folder;
#endif
}

} // namespace skyraid
