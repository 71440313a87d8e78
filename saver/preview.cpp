#include "preview.h"

#include "assets/preview.h"

#include <QCoreApplication>
#include <QPalette>
#include <QPixmap>

namespace skyraid {

Preview::Preview() : m_picture(this)
{
    setWindowTitle(QStringLiteral("Preview"));
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    // Shown in the screen's own pixels, whatever the desktop's scaling.
    QPixmap picture = QPixmap::fromImage(previewPicture());
    picture.setDevicePixelRatio(devicePixelRatioF());
    m_picture.setObjectName(QStringLiteral("picture"));
    m_picture.setScaledContents(false);
    m_picture.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picture.setPixmap(picture);
    m_picture.setGeometry(QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()));
    resize(m_picture.size());
}

std::unique_ptr<HostedPreview> HostedPreview::show(quintptr host, Platform& platform)
{
    if (!platform.clientSize(host))
        return nullptr;
    return std::unique_ptr<HostedPreview>(new HostedPreview(host, platform));
}

HostedPreview::HostedPreview(quintptr host, Platform& platform)
    : m_platform(platform), m_host(host), m_hostWindow(QWindow::fromWinId(WId(host)))
{
    const QSize size = m_platform.clientSize(m_host).value_or(QSize());
    m_form.winId(); // the native window, to be given its parent
    m_form.windowHandle()->setParent(m_hostWindow.get());
    m_form.setGeometry(QRect(QPoint(0, 0), logicalSize(size)));
    m_form.show();
    m_platform.settleInHost(quintptr(m_form.winId()), m_host, size);

    m_watch.setInterval(WatchIntervalMs);
    QObject::connect(&m_watch, &QTimer::timeout, &m_watch, [this] { followHost(); });
    m_watch.start();
}

void HostedPreview::followHost()
{
    const std::optional<QSize> size = m_platform.clientSize(m_host);
    if (!size) {
        // The host took our window with it: nothing is left to show.
        m_watch.stop();
        QCoreApplication::exit(0);
        return;
    }
    if (logicalSize(*size) != m_form.size())
        m_form.resize(logicalSize(*size));
}

QSize HostedPreview::logicalSize(QSize pixels) const
{
    return (QSizeF(pixels) / m_form.devicePixelRatioF()).toSize();
}

} // namespace skyraid
