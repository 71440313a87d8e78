#include "modes.h"
#include "startup.h"

#include <QApplication>
#include <QImageReader>

int main(int argc, char* argv[])
{
    using namespace skyraid;

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString command = commandText(arguments);

    // Decided before any window or display connection: an unknown switch, or
    // a second "/s", ends here quietly.
    const std::unique_ptr<Platform> platform = createPlatform();
    const StartDecision start = decideStart(command, *platform);
    if (start.mode == Mode::None)
        return 0;

    QApplication app(argc, argv);
    // Whatever a picture file claims, no decoder of the program takes more
    // than this for it (the scene's own check is stricter still).
    QImageReader::setAllocationLimit(64);
    QApplication::setApplicationName(QStringLiteral("SkyRaid"));
    QApplication::setApplicationVersion(QStringLiteral(SKYRAID_VERSION));
    const std::unique_ptr<RunningMode> running = showMode(start.mode, command, *platform);
    if (!running)
        return 0;
    return QApplication::exec();
}
