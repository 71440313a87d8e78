#include "posixinstance.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace skyraid {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {}
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

} // namespace

QString userRuntimeFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        return QFile::decodeName(runtime);
    const QString folder = QStringLiteral("/tmp/skyraid-%1").arg(::getuid());
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    return folder;
}

std::unique_ptr<FullScreenClaim> claimFullScreenPosix(const QString& runtimeFolder, bool exclusive)
{
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
