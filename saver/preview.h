#pragma once

#include "modes.h"

#include <memory>

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace skyraid {

// The still picture of the scene: black, with the picture at its own size in
// the top-left corner, cut off by a smaller window and never stretched.
class Preview final : public QWidget {
public:
    Preview();

private:
    QLabel m_picture;
};

// The preview shown inside another program's window, for as long as that
// window exists. It reads no settings and opens neither the display session
// nor the sound.
class HostedPreview final : public RunningMode {
public:
    // Shows the preview in the native window `host`; nothing when there is no
    // such window.
    static std::unique_ptr<HostedPreview> show(quintptr host, Platform& platform);

    // How often the host is looked at: Qt tells nothing about the size or the
    // end of a window that is not its own.
    static constexpr int WatchIntervalMs = 250;

private:
    HostedPreview(quintptr host, Platform& platform);
    void followHost();
    // A size in the screen's own pixels (as the host's is given) in Qt's
    // scaled ones.
    QSize logicalSize(QSize pixels) const;

    Platform& m_platform;
    quintptr m_host;
    // Declared before the form: the form's window is its child, and goes first.
    std::unique_ptr<QWindow> m_hostWindow;
    Preview m_form;
    QTimer m_watch;
};

} // namespace skyraid
