// Uses a settings file from a separate process, as the dialog does while the
// saver runs.
//   store_tool <ini> write <Startup|System> <key> <text>
//   store_tool <ini> count <Startup|System> <key> <count> <Startup|System> <other key>
//
// "count" writes the key <count> times, the n-th time with n in six digits,
// a colon and forty letters x, so that a reader can tell a whole value from a
// torn one and an older value from a newer one. After each write it reads its
// own value back and the other key, which another writer counts up at the
// same time: it fails unless its own is there at once and the other's comes
// whole and never older than before. Both writers start on each other's first
// value and make their last write after each other's last but one, so the
// two overlap whatever the machine's load.
#include "settings/systemsettingsstore.h"

#include <cstdio>

#include <QDeadlineTimer>
#include <QString>
#include <QThread>

using namespace skyraid;

namespace {

Section sectionOf(const char* name)
{
    return QString::fromLocal8Bit(name) == u"System" ? Section::System : Section::Startup;
}

QString countedValue(int n)
{
    return QStringLiteral("%1:%2").arg(n, 6, 10, QLatin1Char('0')).arg(QString(40, u'x'));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 5)
        return 2;
    SystemSettingsStore store(QString::fromLocal8Bit(argv[1]));
    const QString verb = QString::fromLocal8Bit(argv[2]);
    const Section section = sectionOf(argv[3]);
    const QString key = QString::fromLocal8Bit(argv[4]);

    if (verb == u"write" && argc == 6)
        return store.write(section, key, QString::fromUtf8(argv[5])) ? 0 : 1;
    if (verb == u"count" && argc == 8) {
        const int count = QString::fromLocal8Bit(argv[5]).toInt();
        const QString other = QString::fromLocal8Bit(argv[7]);
        int seen = 0;
        int faults = 0;
        const auto readOther = [&] {
            const QString text = store.read(sectionOf(argv[6]), other, countedValue(0));
            const int n = text.left(6).toInt();
            faults += text != countedValue(n) || n < seen;
            return seen = n;
        };
        for (int n = 1; n <= count; ++n) {
            const int waitFor = n == 2 ? 1 : n == count ? count - 1 : 0;
            for (QDeadlineTimer deadline(60000); readOther() < waitFor; QThread::msleep(1)) {
                if (deadline.hasExpired())
                    return 1;
            }
            if (!store.write(section, key, countedValue(n)))
                return 1;
            faults += store.read(section, key, {}) != countedValue(n);
            readOther();
        }
        std::fprintf(stderr, "%d faults\n", faults);
        return faults == 0 ? 0 : 1;
    }
    return 2;
}
