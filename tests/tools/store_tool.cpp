// Uses a settings file from a separate process, as the dialog does while the
// saver runs.
//   store_tool <ini> write <Startup|System> <key> <text>
//   store_tool <ini> write-many <Startup|System> <key-prefix> <count>
//   store_tool <ini> count <Startup|System> <key> <count>
//   store_tool <ini> read <Startup|System> <key>
//
// "count" writes the key <count> times, the n-th time with n in six digits,
// a colon and forty letters x, so that a reader can tell a whole value from a
// torn one and an older value from a newer one.
#include "settings/systemsettingsstore.h"

#include <cstdio>

#include <QString>

using namespace skyraid;

int main(int argc, char* argv[])
{
    if (argc < 5)
        return 2;
    SystemSettingsStore store(QString::fromLocal8Bit(argv[1]));
    const QString verb = QString::fromLocal8Bit(argv[2]);
    const Section section =
        QString::fromLocal8Bit(argv[3]) == u"System" ? Section::System : Section::Startup;
    const QString key = QString::fromLocal8Bit(argv[4]);

    if (verb == u"write" && argc == 6)
        return store.write(section, key, QString::fromUtf8(argv[5])) ? 0 : 1;
    if (verb == u"write-many" && argc == 6) {
        const int count = QString::fromLocal8Bit(argv[5]).toInt();
        for (int i = 0; i < count; ++i) {
            if (!store.write(section, key + QString::number(i), QString::number(i)))
                return 1;
        }
        return 0;
    }
    if (verb == u"count" && argc == 6) {
        const int count = QString::fromLocal8Bit(argv[5]).toInt();
        for (int n = 1; n <= count; ++n) {
            if (!store.write(
                    section, key,
                    QStringLiteral("%1:%2").arg(n, 6, 10, QLatin1Char('0')).arg(QString(40, u'x'))))
                return 1;
        }
        return 0;
    }
    if (verb == u"read") {
        std::fputs(store.read(section, key, QStringLiteral("1")).toUtf8().constData(), stdout);
        return 0;
    }
    return 2;
}
