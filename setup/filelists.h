#pragma once

#include <QListWidget>
#include <QString>
#include <QTreeWidget>

namespace skyraid {

// A folder shown with the folders above it, each indented under its parent,
// and the folders inside it below. Opening an entry (double-click or Enter)
// moves there.
class DirectoryList final : public QTreeWidget {
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent = nullptr);

    // The folder shown, in Qt's form ("/" separators).
    const QString& path() const { return m_path; }
    // Moves to the folder and reports the change. Returns false, and changes
    // nothing, when the path is no folder that can be read.
    bool setPath(const QString& path);

Q_SIGNALS:
    void pathChanged(const QString& path);

protected:
    // Every entry is always open: no branch arrows to suggest otherwise.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}
    // Enter opens the folder and goes no further: it does not press the
    // dialog's default button as well.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open(QTreeWidgetItem* item);
    void fill();

    QString m_path;
};

// The files of one folder that match a pattern, sorted by name. The pattern
// matches regardless of letter case, and "*.*" matches every file, even one
// without a dot in its name.
class FileList final : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    const QString& path() const { return m_path; }
    void setPath(const QString& path);
    const QString& pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);

    // The name of the selected file, without its folder; empty when no file
    // is selected. Another folder starts with none selected; another pattern
    // keeps the selected file selected while it still lists it.
    QString fileName() const;

private:
    // Lists the files again, with the named one selected if it is listed.
    void refresh(const QString& keepSelected);

    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
};

} // namespace skyraid
