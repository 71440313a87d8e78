#include "fullscreen.h"

#include "sound/qtsoundcontrol.h"

#include <cstdio>

#include <QCoreApplication>

namespace skyraid {

namespace {

// The desktop's sound, or none at all where there is nothing to play it on.
std::unique_ptr<SoundControl> makeSoundControl()
{
    if (QtSoundControl::hasAudioOutput())
        return std::make_unique<QtSoundControl>();
    return std::make_unique<SilentSoundControl>();
}

// Inside another program's window the host owns the screen, the cursor and
// the user: the saver changes none of them and shows no message box.
class HostedPlatform final : public Platform {
public:
    explicit HostedPlatform(Platform& platform) : m_platform(platform) {}

    bool topLevelWindowExists(const QString& title) override
    {
        return m_platform.topLevelWindowExists(title);
    }
    std::unique_ptr<FullScreenClaim> claimFullScreen(bool exclusive) override
    {
        return m_platform.claimFullScreen(exclusive);
    }
    bool changeScreenSaverPassword(quintptr owner) override
    {
        return m_platform.changeScreenSaverPassword(owner);
    }
    void setScreenSaverRunning(QWindow*, bool) override {}
    void showCursor(bool) override {}
    void showMessage(const QString& title, const QString& text) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    void watchTermination(std::function<void()> handler) override
    {
        m_platform.watchTermination(std::move(handler));
    }
    std::optional<QSize> clientSize(quintptr window) override
    {
        return m_platform.clientSize(window);
    }
    void settleInHost(quintptr child, quintptr host, QSize size) override
    {
        m_platform.settleInHost(child, host, size);
    }

private:
    Platform& m_platform;
};

} // namespace

FullScreenSaver::FullScreenSaver(Platform& platform, std::optional<quintptr> hostWindow)
    : m_platform(platform), m_hosted(std::make_unique<HostedPlatform>(platform)),
      m_host(hostWindow), m_sound(makeSoundControl())
{
    Platform& scenePlatform = m_host ? *m_hosted : m_platform;
    m_scene = std::make_unique<SaverScene>(SceneServices{m_store, m_screen, *m_sound, scenePlatform,
                                                         m_time, m_random, assetFolder(),
                                                         [this] {
                                                             m_watch.stop();
                                                             m_screen.close();
                                                             QCoreApplication::exit(0);
                                                         },
                                                         [this] { return m_screen.window(); }});
    m_screen.setEvents(m_scene.get());
    m_platform.watchTermination([this] { m_scene->closeDown(); });

    // The scene loads completely before its window covers the desktop.
    if (m_host)
        m_screen.setScreenSize(m_platform.clientSize(*m_host).value_or(QSize(800, 600)));
    m_scene->start();
    if (!m_host) {
        m_screen.showOverDesktop();
        scenePlatform.setScreenSaverRunning(m_screen.window(), true);
        return;
    }
    m_screen.showInWindow(*m_host, m_platform.clientSize(*m_host).value_or(QSize(800, 600)));
    m_watch.setInterval(WatchIntervalMs);
    QObject::connect(&m_watch, &QTimer::timeout, &m_watch, [this] { followHost(); });
    m_watch.start();
}

FullScreenSaver::~FullScreenSaver()
{
    m_watch.stop();
    m_platform.watchTermination({});
    m_screen.close();
    m_scene.reset();
}

void FullScreenSaver::followHost()
{
    const std::optional<QSize> size = m_platform.clientSize(*m_host);
    if (!size) {
        m_scene->closeDown(); // the host's window is gone, and ours with it
        return;
    }
    m_screen.resizeTo(*size);
}

} // namespace skyraid
