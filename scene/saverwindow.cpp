#include "saverwindow.h"

#include "canvas.h"
#include "screencontrol.h"

#include <cmath>
#include <cstdint>

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QtConcurrent/QtConcurrentRun>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace skyraid {

namespace {

// The memory of a new window picture costs a page fault a page when first
// written, which at 3840 x 2160 takes as long as the painting itself. It is
// made ready on another thread, from `part` of the way down to the end, while
// this one goes on; what it holds is not changed.
QFuture<void> readyMemory(QImage& image, double part)
{
#if defined(Q_OS_LINUX) && defined(MADV_POPULATE_WRITE)
    const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto start = std::uintptr_t(image.bits());
    const auto end = start + std::uintptr_t(image.sizeInBytes());
    const auto from = (start + std::uintptr_t(double(end - start) * part) + page - 1) & ~(page - 1);
    if (from < end) {
        return QtConcurrent::run([from, end] {
            ::madvise(reinterpret_cast<void*>(from), end - from, MADV_POPULATE_WRITE);
        });
    }
#else
    Q_UNUSED(image);
    Q_UNUSED(part);
#endif
    return {};
}

} // namespace

SaverWindow::SaverWindow(QScreen* screen, ScreenControl& control, bool showsCanvas)
    : m_control(control), m_showsCanvas(showsCanvas), m_store(this)
{
    setScreen(screen);
    setSurfaceType(QSurface::RasterSurface);
    setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
             Qt::X11BypassWindowManagerHint);
    setTitle(QStringLiteral("SkyRaid"));
}

SaverWindow::~SaverWindow()
{
    finishReadying();
}

void SaverWindow::finishReadying()
{
    m_readying.waitForFinished();
    m_readying = {};
}

void SaverWindow::cover()
{
    // Without a window manager showFullScreen() alone leaves a small window:
    // the geometry is set to the screen's explicitly.
    setGeometry(screen()->geometry());
    showFullScreen();
    raise();
    requestActivate();
    // The window's picture is made now, and its memory made ready on
    // another thread while the first frame is composed; that thread is done
    // before the picture is painted or resized.
    finishReadying();
    m_store.resize(size());
    m_store.beginPaint(QRegion());
    if (QPaintDevice* device = m_store.paintDevice();
        device && device->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(device);
        m_readied = image->constBits();
        m_readying = readyMemory(*image, 0);
    }
    m_store.endPaint();
    m_pointer = QCursor::pos();
}

void SaverWindow::embed(QWindow* host, QSize size)
{
    m_reportsInput = false;
    setFlags(Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setParent(host);
    setGeometry(QRect(QPoint(0, 0), size));
    show();
}

void SaverWindow::setCanvas(Canvas* canvas)
{
    m_canvas = canvas;
    m_needsFullPaint = true;
    m_damage.clear();
    requestUpdate();
}

void SaverWindow::canvasChanged(const std::vector<QRect>& damage)
{
    if (!m_needsFullPaint)
        m_damage.insert(m_damage.end(), damage.begin(), damage.end());
    if (!damage.empty())
        requestUpdate();
}

bool SaverWindow::event(QEvent* event)
{
    if (event->type() == QEvent::UpdateRequest) {
        paintNow();
        return true;
    }
    return QWindow::event(event);
}

void SaverWindow::exposeEvent(QExposeEvent*)
{
    if (!isExposed())
        return;
    m_needsFullPaint = true;
    paintNow();
}

void SaverWindow::resizeEvent(QResizeEvent*)
{
    finishReadying();
    m_store.resize(size());
    m_needsFullPaint = true;
}

QRegion SaverWindow::changedRegion()
{
    // Whole pixels of Qt's scaled ones, so that every screen pixel of the
    // region is painted: backing stores with an alpha channel (Wayland's)
    // clear the region, and a cleared pixel left unpainted shows black.
    const qreal ratio = devicePixelRatio();
    QRegion region;
    for (QRect& rect : m_damage) {
        const QRect device = m_letterbox->screenRectFor(rect);
        const QRect logical(
            QPoint(int(std::floor(device.left() / ratio)), int(std::floor(device.top() / ratio))),
            QPoint(int(std::ceil((device.right() + 1) / ratio)) - 1,
                   int(std::ceil((device.bottom() + 1) / ratio)) - 1));
        region += logical;
        rect = QRect(
            QPoint(int(std::floor(logical.left() * ratio)), int(std::floor(logical.top() * ratio))),
            QPoint(int(std::ceil((logical.right() + 1) * ratio)) - 1,
                   int(std::ceil((logical.bottom() + 1) * ratio)) - 1));
    }
    return region & QRect(QPoint(0, 0), size());
}

void SaverWindow::paintNow()
{
    if (!isExposed()) {
        // Frames go by unseen: the window's picture falls behind.
        m_needsFullPaint = true;
        m_damage.clear();
        return;
    }
    if (!m_needsFullPaint && (m_damage.empty() || !m_letterbox || !m_canvas))
        return;
    const QRect logical(QPoint(0, 0), size());
    QRegion region = m_needsFullPaint ? QRegion(logical) : changedRegion();
    if (region.isEmpty()) {
        m_damage.clear();
        return;
    }

    finishReadying();
    m_store.beginPaint(region);
    QPaintDevice* device = m_store.paintDevice();
    if (device && device->devType() == QInternal::Image &&
        static_cast<QImage*>(device)->depth() == 32) {
        auto* image = static_cast<QImage*>(device);
        QFuture<void> readying;
        if (m_needsFullPaint && image->constBits() != m_readied) {
            m_readied = image->constBits();
            readying = readyMemory(*image, 0.5);
        }
        // The same memory without the desktop's scaling: painted in the
        // screen's own pixels.
        QImage pixels(image->bits(), image->width(), image->height(), image->bytesPerLine(),
                      image->format());
        paintCanvas(pixels);
        readying.waitForFinished();
    } else if (device) {
        // Not a plain 32-bit image (an unusual platform): through QPainter.
        QPainter painter(device);
        painter.fillRect(logical, Qt::black);
        if (m_showsCanvas && m_canvas) {
            const QSize fitted = m_canvas->pixels().scaled(size(), Qt::KeepAspectRatio);
            const QRect target(
                QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(target, m_canvas->image());
        }
        region = logical;
    }
    m_store.endPaint();
    m_store.flush(region);
    m_needsFullPaint = false;
    m_damage.clear();
}

void SaverWindow::paintCanvas(QImage& pixels)
{
    if (!m_showsCanvas || !m_canvas) {
        pixels.fill(Qt::black);
        return;
    }
    if (!m_letterbox || m_letterbox->screen() != pixels.size() ||
        m_letterbox->canvas() != m_canvas->pixels()) {
        m_letterbox.emplace(m_canvas->pixels(), pixels.size());
        m_needsFullPaint = true;
    }
    if (m_needsFullPaint)
        m_letterbox->paintBars(pixels);
    if (m_letterbox->isCopy()) {
        // Composed straight onto the window's picture, which keeps the frame
        // before.
        const QPoint at = m_letterbox->target().topLeft();
        m_canvas->paint(pixels,
                        m_needsFullPaint
                            ? std::vector<QRect>{QRect(QPoint(0, 0), m_canvas->pixels())}
                            : m_damage,
                        at);
        return;
    }
    const QImage& picture = m_canvas->image();
    if (m_needsFullPaint) {
        m_letterbox->scale(picture, pixels, m_letterbox->target());
        return;
    }
    for (const QRect& rect : m_damage)
        m_letterbox->scale(picture, pixels, rect);
}

void SaverWindow::keyPressEvent(QKeyEvent*)
{
    if (m_reportsInput)
        m_control.reportKey();
}

void SaverWindow::mousePressEvent(QMouseEvent*)
{
    if (m_reportsInput)
        m_control.reportMouseButton();
}

void SaverWindow::wheelEvent(QWheelEvent*)
{
    if (m_reportsInput)
        m_control.reportMouseButton();
}

void SaverWindow::mouseMoveEvent(QMouseEvent* event)
{
    // Only real movement counts: windows appearing under a still pointer
    // bring motion events of their own.
    const QPoint position = event->globalPosition().toPoint();
    if (!m_reportsInput || (m_pointer && *m_pointer == position))
        return;
    m_pointer = position;
    m_control.reportMouseMove();
}

} // namespace skyraid
