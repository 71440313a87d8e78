#include "modes.h"
#include "platform/processend.h"
#include "screenshot.h"
#include "startup.h"

#include <cstdio>

#include <QApplication>
#include <QImageReader>

namespace {

constexpr const char* PreviewNeedsX11 =
    "skyraid: a preview needs an X11 host window, and there is none on Wayland\n";
constexpr const char* NoDisplay = "skyraid: there is no display to show on (DISPLAY is not set)\n";

int run(int argc, char* argv[])
{
    using namespace skyraid;

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString command = commandText(arguments);
    // An unknown switch ends quietly. Where a display is named but cannot be
    // reached, Qt would abort: say which display it is instead.
    if (modeOf(switchOf(command)) != Mode::None) {
        if (const std::optional<QString> display = displayOutOfReach()) {
            if (display->isEmpty())
                std::fputs(NoDisplay, stderr);
            else
                std::fprintf(stderr, "skyraid: cannot reach the display %s\n",
                             qPrintable(*display));
            return 1;
        }
    }

    // Decided before Qt's display connection: an unknown switch, or a second
    // "/s", ends here quietly. The platform asked here is gone before the
    // application object comes.
    const StartDecision start = decideStart(command, *createPlatform(), xscreensaverWindow());
    const bool previewWanted = modeOf(switchOf(command)) == Mode::Preview;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // On Wayland alone there is no X server that could hold the host.
    if (previewWanted && qEnvironmentVariableIsEmpty("DISPLAY") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs(PreviewNeedsX11, stderr);
        return 0;
    }
#endif
    if (start.mode == Mode::None)
        return 0;

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Without any display Qt would abort; say why instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs(NoDisplay, stderr);
        return 1;
    }
#endif
    QApplication app(argc, argv);
    // Qt on Wayland cannot put a window into an X11 window of another program.
    if (previewWanted && QGuiApplication::platformName().startsWith(u"wayland")) {
        std::fputs(PreviewNeedsX11, stderr);
        return 0;
    }
    // Whatever a picture file claims, no decoder of the program takes more
    // than this for it (the scene's own check is stricter still).
    QImageReader::setAllocationLimit(64);
    QApplication::setApplicationName(QStringLiteral("SkyRaid"));
    QApplication::setApplicationVersion(QStringLiteral(SKYRAID_VERSION));
    // Its timers and notifiers live within the application object's lifetime.
    const std::unique_ptr<Platform> platform = createPlatform();
    std::unique_ptr<RunningMode> running =
        showMode(start.mode, command, *platform, start.hostWindow);
    if (!running)
        return 0;
    if (const QString shot = qEnvironmentVariable("SKYRAID_SCREENSHOT"); !shot.isEmpty()) {
        const int delay = qEnvironmentVariableIntValue("SKYRAID_SCREENSHOT_DELAY_MS");
        scheduleScreenshot(shot, delay > 0 ? delay : 4000);
    }
    const int status = QApplication::exec();
    if (QGuiApplication::platformName().startsWith(u"wayland")) {
        // Qt 6.4's Wayland client now and then hangs in the application
        // object's teardown, waiting for its event thread while that thread
        // waits on the display. Our windows and settings go first, then the
        // process ends before that teardown.
        running.reset();
        endProcess(status);
    }
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    skyraid::endProcess(run(argc, argv));
}
