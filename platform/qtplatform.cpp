#include "qtplatform.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>

namespace skyraid {

void QtPlatform::showCursor(bool show)
{
    if (show) {
        if (m_hidden == 0)
            return;
        --m_hidden;
        QGuiApplication::restoreOverrideCursor();
    } else {
        ++m_hidden;
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    }
}

void QtPlatform::showMessage(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.exec();
}

} // namespace skyraid
