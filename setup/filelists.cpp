#include "filelists.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyle>

namespace skyraid {

namespace {

constexpr int PathRole = Qt::UserRole;

QString cleanFolder(const QString& path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

DirectoryList::DirectoryList(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(12);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemActivated, this, &DirectoryList::open);
}

bool DirectoryList::setPath(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString folder = cleanFolder(path);
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return false;
    const bool changed = folder != m_path;
    m_path = folder;
    fill();
    if (changed)
        Q_EMIT pathChanged(m_path);
    return true;
}

void DirectoryList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void DirectoryList::open(QTreeWidgetItem* item)
{
    if (item)
        setPath(item->data(0, PathRole).toString());
}

void DirectoryList::fill()
{
    clear();
    // The folder and the folders above it, root first.
    QStringList chain;
    QDir up(m_path);
    do {
        chain.prepend(up.absolutePath());
    } while (up.cdUp());

    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QTreeWidgetItem* parent = nullptr;
    for (const QString& folder : chain) {
        const QString name =
            parent ? QFileInfo(folder).fileName() : QDir::toNativeSeparators(folder);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(0, name);
        item->setIcon(0, openIcon);
        item->setData(0, PathRole, folder);
        parent = item;
    }
    const QFileInfoList inside = QDir(m_path).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QFileInfo& folder : inside) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, folder.fileName());
        item->setIcon(0, closedIcon);
        item->setData(0, PathRole, cleanFolder(folder.absoluteFilePath()));
    }
    expandAll();
    setCurrentItem(parent);
    scrollToItem(parent);
}

FileList::FileList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void FileList::setPath(const QString& path)
{
    m_path = cleanFolder(path);
    refresh(QString());
}

void FileList::setPattern(const QString& pattern)
{
    m_pattern = pattern;
    refresh(fileName());
}

QString FileList::fileName() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileList::refresh(const QString& keepSelected)
{
    if (m_path.isEmpty())
        return; // no folder yet
    // On Windows "*.*" is every file; here a name need not have a dot.
    const QString filter = m_pattern == u"*.*" ? QStringLiteral("*") : m_pattern;
    // Without QDir::CaseSensitive the pattern ignores letter case.
    const QStringList names = QDir(m_path).entryList(
        QStringList{filter}, QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    const QSignalBlocker blocker(this);
    clear();
    addItems(names);
    const qsizetype kept = keepSelected.isEmpty() ? -1 : names.indexOf(keepSelected);
    setCurrentRow(int(kept));
}

} // namespace skyraid
