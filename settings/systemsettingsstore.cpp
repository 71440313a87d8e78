#include "systemsettingsstore.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace skyraid {

QString sectionName(Section section)
{
    return section == Section::Startup ? QStringLiteral("Startup") : QStringLiteral("System");
}

namespace {

QString settingsPath(Section section, const QString& key)
{
    return sectionName(section) + u'/' + key;
}

#ifdef Q_OS_WIN
const QString RegistryKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\SkyRaid");
#endif

std::filesystem::path nativePath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

QString systemMessage(const std::error_code& error)
{
    return QString::fromLocal8Bit(error.message());
}

// Sets one value in the INI file at `path`; returns why that did not reach
// the disk, or nothing when it did. The value goes into a copy beside the
// file, through a QSettings of its own, and the copy replaces the file only
// once it is saved whole. So a write that fails leaves the file as it was,
// and no QSettings in this process holds the unsaved value (they share what
// they parse of a file) or the failure (a QSettings keeps reporting its first
// error).
std::optional<QString> replaceWith(const QString& path, const QString& key, const QString& text)
{
    const QFileInfo info(path);
    QFile current(path);
    if (info.isDir())
        return QStringLiteral("is a folder");
    if (info.exists() && !info.isFile())
        return QStringLiteral("is not a file");
    // A file the user may not write is left alone, though the folder would
    // let a copy take its place: opening it for writing asks the system.
    if (info.exists() && !current.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return current.errorString();
    QTemporaryFile copy(path + QStringLiteral(".XXXXXX"));
    if (!copy.open())
        return copy.errorString();
    if (current.isOpen()) {
        const QByteArray content = current.readAll();
        if (current.error() != QFileDevice::NoError)
            return current.errorString();
        if (copy.write(content) != content.size())
            return copy.errorString();
        copy.setPermissions(current.permissions());
    }
    copy.close();
    {
        QSettings settings(copy.fileName(), QSettings::IniFormat);
        settings.setValue(key, text);
        settings.sync();
        // A file with broken lines still takes the write (they are dropped);
        // only a failure to save counts.
        if (settings.status() == QSettings::AccessError)
            return QStringLiteral("could not be written");
    }
    std::error_code error;
    std::filesystem::rename(nativePath(copy.fileName()), nativePath(path), error);
    if (error)
        return systemMessage(error);
    copy.setAutoRemove(false); // it is the settings file now
    return std::nullopt;
}

#ifdef Q_OS_UNIX
// Holds an exclusive lock on a folder for as long as it lives. The kernel drops
// the lock with the process, so a crash never leaves a stale lock behind.
class FolderLock {
public:
    explicit FolderLock(const QString& folder)
        : m_fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (m_fd >= 0) {
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FolderLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // closing releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int m_fd;
};
#endif

} // namespace

// What identifies one version of the settings file. The file is replaced by a
// rename on every write, so the inode alone tells most changes; size and the
// nanosecond modification time catch a hand edit in place.
struct SystemSettingsStore::FileStamp {
    bool exists = false;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long seconds = 0;
    long long nanoseconds = 0;

    static FileStamp of(const QString& path)
    {
        FileStamp stamp;
#ifdef Q_OS_UNIX
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
            stamp.exists = true;
            stamp.device = st.st_dev;
            stamp.inode = st.st_ino;
            stamp.size = st.st_size;
            stamp.seconds = st.st_mtim.tv_sec;
            stamp.nanoseconds = st.st_mtim.tv_nsec;
        }
#else
        const QFileInfo info(path);
        stamp.exists = info.exists();
        stamp.size = info.size();
        stamp.seconds = info.lastModified().toMSecsSinceEpoch();
#endif
        return stamp;
    }
    bool operator==(const FileStamp&) const = default;

#ifdef Q_OS_UNIX
    long long milliseconds() const
    {
        return seconds * 1000 + nanoseconds / 1'000'000;
    }

    // QSettings parses a file again only when its size or its modification
    // time in whole milliseconds differs from what it last read, and the
    // kernel's file times only move on every clock tick: two versions of the
    // same size written within a few milliseconds would look the same to it,
    // and a reader would keep the older one, or a writer merge into it and
    // lose the newer. So every version gets a later millisecond than the one
    // it replaces.
    static void laterThan(const QString& path, const FileStamp& previous)
    {
        const FileStamp now = of(path);
        if (!now.exists || !previous.exists || now.milliseconds() > previous.milliseconds())
            return;
        const long long ms = previous.milliseconds() + 1;
        const struct timespec times[2] = {{0, UTIME_OMIT},
                                          {time_t(ms / 1000), long(ms % 1000) * 1'000'000}};
        ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
    }
#endif
};

SystemSettingsStore::SystemSettingsStore()
#ifdef Q_OS_WIN
    : m_settings(std::make_unique<QSettings>(RegistryKey, QSettings::NativeFormat)),
      m_loaded(std::make_unique<FileStamp>()), m_isFile(false){}
#else
    : SystemSettingsStore(defaultIniPath())
{}
#endif

      SystemSettingsStore::SystemSettingsStore(const QString& iniPath)
    : m_loaded(std::make_unique<FileStamp>(FileStamp::of(iniPath)))
{
    // The stamp is taken before the parse: a write in between is parsed again
    // at the next read rather than missed.
    m_settings = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

SystemSettingsStore::~SystemSettingsStore() = default;

QString SystemSettingsStore::defaultIniPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/SkyRaid/SkyRaid.ini");
}

QString SystemSettingsStore::location() const
{
    return m_settings->fileName();
}

void SystemSettingsStore::reloadIfChanged()
{
    if (!m_isFile)
        return; // the registry is read afresh on every value()
    FileStamp now = FileStamp::of(m_settings->fileName());
    if (now == *m_loaded)
        return;
    *m_loaded = now;
    // With nothing pending, sync() parses the file again unconditionally.
    m_settings->sync();
}

QString SystemSettingsStore::read(Section section, const QString& key, const QString& fallback)
{
    reloadIfChanged();
    const QVariant value = m_settings->value(settingsPath(section, key));
    if (!value.isValid())
        return fallback;
    // A hand-edited value with unquoted commas is parsed as a list: give back
    // the text the user typed, with the commas.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    if (value.userType() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

WriteResult SystemSettingsStore::write(Section section, const QString& key, const QString& text)
{
#ifdef Q_OS_WIN
    if (!m_isFile) {
        // A QSettings that failed once reports failure ever after: a fresh
        // one for every write, so that each result is that write's own.
        QSettings registry(RegistryKey, QSettings::NativeFormat);
        registry.setValue(settingsPath(section, key), text);
        registry.sync();
        if (registry.status() != QSettings::NoError)
            return WriteResult::refused(RegistryKey, QStringLiteral("access was denied"));
        return {};
    }
#endif

    // Through a symbolic link the file it points to is written.
    const QFileInfo info(m_settings->fileName());
    const QString path = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    std::error_code error;
    std::filesystem::create_directories(nativePath(folder), error);
    if (error)
        return WriteResult::refused(QDir::toNativeSeparators(path), systemMessage(error));
#ifdef Q_OS_UNIX
    // Every writer of ours takes this lock, so between our copy of the file
    // and its replacement nobody else replaces it, and nothing is lost.
    const FolderLock lock(folder);
    const FileStamp previous = FileStamp::of(path);
#endif
    if (const std::optional<QString> reason = replaceWith(path, settingsPath(section, key), text))
        return WriteResult::refused(QDir::toNativeSeparators(path), *reason);
#ifdef Q_OS_UNIX
    FileStamp::laterThan(path, previous);
#endif
    // The next read parses the new file: it differs from the one last loaded.
    return {};
}

} // namespace skyraid
