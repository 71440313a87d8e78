#include "posixinstance.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace skyraid {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(),
                      O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600))
    {
        struct stat status {};
        if (m_fd >= 0 && (::fstat(m_fd, &status) != 0 || !S_ISREG(status.st_mode) ||
                          status.st_uid != ::geteuid())) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool lock(int operation)
    {
        int result;
        do {
            result = ::flock(m_fd, operation);
        } while (result != 0 && errno == EINTR);
        return result == 0;
    }

private:
    int m_fd;
};

class PosixClaim final : public FullScreenClaim {
public:
    explicit PosixClaim(std::unique_ptr<FileDescriptor> running) : m_running(std::move(running)) {}

private:
    std::unique_ptr<FileDescriptor> m_running;
};

// Whether `folder` is ours alone, making it so when it is missing: a real
// folder (no link to one), owned by us, that no one else may enter.
bool isPrivateFolder(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) == 0)
        ::chmod(path.constData(), 0700); // whatever the umask took away
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & 07777) == 0700;
}

} // namespace

QString userRuntimeFolder(const QString& tempRoot)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return QFile::decodeName(runtime);
    // Anyone may make a folder of that name in a shared temporary folder
    // first; then the user's cache folder serves instead.
    const QString shared = QStringLiteral("%1/skyraid-%2").arg(tempRoot).arg(::getuid());
    if (isPrivateFolder(shared))
        return shared;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return {};
    const QString fallback = cache + QStringLiteral("/skyraid");
    return isPrivateFolder(fallback) ? fallback : QString();
}

std::unique_ptr<FullScreenClaim> claimFullScreenPosix(const QString& runtimeFolder, bool exclusive)
{
    if (runtimeFolder.isEmpty())
        return std::make_unique<PosixClaim>(nullptr);
    auto running = std::make_unique<FileDescriptor>(runtimeFolder +
                                                    QStringLiteral("/skyraid-fullscreen.lock"));
    if (!running->isOpen()) {
        // Without a runtime folder we cannot tell; never stop the saver for it.
        return std::make_unique<PosixClaim>(nullptr);
    }
    if (!exclusive) {
        running->lock(LOCK_SH);
        return std::make_unique<PosixClaim>(std::move(running));
    }

    // One checker at a time: while we test and then turn our exclusive lock
    // into a shared one, no other exclusive start can look.
    FileDescriptor check(runtimeFolder + QStringLiteral("/skyraid-fullscreen.check"));
    if (check.isOpen())
        check.lock(LOCK_EX);
    if (!running->lock(LOCK_EX | LOCK_NB) && errno == EWOULDBLOCK)
        return nullptr; // another full-screen saver holds its shared lock
    running->lock(LOCK_SH);
    return std::make_unique<PosixClaim>(std::move(running));
}

} // namespace skyraid
