#include "dialogservices.h"

#include <algorithm>

#include <QFileInfo>
#include <QMessageBox>
#include <QStorageInfo>

namespace skyraid {

namespace {

class ModalMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget* owner, Icon icon, const QString& title, const QString& text) override
    {
        QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                        title, text, QMessageBox::Ok, owner);
        box.exec();
    }
};

} // namespace

QString programTitle()
{
    return QStringLiteral("SkyRaid");
}

MessageBoxes& standardMessageBoxes()
{
    static ModalMessageBoxes boxes;
    return boxes;
}

QStringList mountedVolumes()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        // A file mounted over a file (a container's /etc/hosts, say) is no
        // drive; a drive that cannot be read now is listed all the same.
        if (volume.isValid() && !QFileInfo(volume.rootPath()).isFile())
            roots << volume.rootPath();
    }
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return roots;
}

} // namespace skyraid
