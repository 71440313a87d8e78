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
    m_readying.waitForFinished();
}

void SaverWindow::cover()
{
    // Without a window manager showFullScreen() alone leaves a small window:
    // the geometry is set to the screen's explicitly.
    setGeometry(screen()->geometry());
    showFullScreen();
    raise();
    requestActivate();
    // The window's picture is made now, and its memory made ready while
    // the first frame is composed.
    m_store.resize(screen()->geometry().size());
    m_store.beginPaint(QRegion());
    if (QPaintDevice* device = m_store.paintDevice();
        device && device->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(device);
        m_readied = image->constBits();
        m_readying = readyMemory(*image, 0);
    }
    m_store.endPaint();
    // Shown black at once, which has the display server take in the
    // picture's memory before the first frame.
    m_store.flush(QRect(QPoint(0, 0), screen()->geometry().size()));
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

void SaverWindow::resizeEvent(QResizeEvent*)
{
    m_store.resize(size());
    m_needsFullPaint = true;
}

void SaverWindow::exposeEvent(QExposeEvent*)
{
    if (!isExposed())
        return;
    // The window's picture still holds the last frame shown: put it back on
    // the screen as it is.
    if (!m_needsFullPaint) {
        m_store.flush(QRect(QPoint(0, 0), size()));
        return;
    }
    repaintAll();
}

void SaverWindow::repaintAll()
{
    m_needsFullPaint = true;
    if (m_lastCanvas)
        present(m_lastCanvas, {});
    else if (!m_showsCanvas || isExposed())
        present(nullptr, {});
}

void SaverWindow::present(const Canvas* canvas, const std::vector<QRect>& damage)
{
    // A canvas shown for the first time (the window may have been painted
    // black before the first frame) is shown whole.
    if (canvas && canvas != m_lastCanvas) {
        m_lastCanvas = canvas;
        m_needsFullPaint = true;
    }
    if (!isExposed()) {
        // Frames go by unseen: the window's picture falls behind.
        m_needsFullPaint = true;
        return;
    }

    const qreal ratio = devicePixelRatio();
    const QRect logical(QPoint(0, 0), size());
    QRegion region;
    if (m_needsFullPaint) {
        region = logical;
    } else {
        if (!m_letterbox || !canvas)
            return;
        for (const QRect& rect : damage) {
            const QRect device = m_letterbox->screenRectFor(rect);
            // Not one pixel more: backing stores with an alpha channel (Wayland's)
            // clear the region, and a cleared pixel left unpainted shows black.
            region += QRect(QPoint(int(std::floor(device.left() / ratio)),
                                   int(std::floor(device.top() / ratio))),
                            QPoint(int(std::ceil((device.right() + 1) / ratio)) - 1,
                                   int(std::ceil((device.bottom() + 1) / ratio)) - 1));
        }
        region &= logical;
        if (region.isEmpty())
            return;
    }

    m_store.beginPaint(region);
    QPaintDevice* device = m_store.paintDevice();
    if (device && device->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(device);
        QFuture<void> readying;
        if (m_needsFullPaint && image->constBits() != m_readied) {
            m_readied = image->constBits();
            readying = readyMemory(*image, 0.5);
        }
        if (!m_showsCanvas || !canvas) {
            QPainter painter(image);
            painter.fillRect(image->rect(), Qt::black);
        } else {
            if (!m_letterbox || m_letterbox->screen() != image->size() ||
                m_letterbox->canvas() != canvas->pixels())
                m_letterbox.emplace(canvas->pixels(), image->size());
            if (m_needsFullPaint)
                m_letterbox->paintBars(*image);
            const QPoint at = m_letterbox->target().topLeft();
            if (m_letterbox->isCopy()) {
                // Composed straight onto the window's picture, which keeps
                // the frame before.
                canvas->paint(*image,
                              m_needsFullPaint
                                  ? std::vector<QRect>{QRect(QPoint(0, 0), canvas->pixels())}
                                  : damage,
                              at);
            } else if (m_needsFullPaint) {
                m_letterbox->scale(canvas->image(), *image, m_letterbox->target());
            } else {
                const QImage& picture = canvas->image();
                for (const QRect& rect : damage)
                    m_letterbox->scale(picture, *image, m_letterbox->screenRectFor(rect));
            }
        }
        readying.waitForFinished();
    } else if (device) {
        // Not a plain image (an unusual platform): paint through QPainter.
        QPainter painter(device);
        painter.fillRect(logical, Qt::black);
        if (m_showsCanvas && canvas) {
            const QSize fitted = canvas->pixels().scaled(size(), Qt::KeepAspectRatio);
            const QRect target(
                QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(target, canvas->image());
        }
        region = logical;
    }
    m_store.endPaint();
    m_store.flush(region);
    m_needsFullPaint = false;
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
