#pragma once

#include "dialogservices.h"
#include "settings/keys.h"
#include "settings/settingsstore.h"

#include <QDialog>
#include <QHash>
#include <QSize>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace skyraid {

class DirectoryList;
class FileList;

// A small modal dialog that chooses a picture file with a drive list, a
// folder list, a file list and a file-type list, and stores the chosen path
// under its key when OK is pressed. Cancel or the close box store nothing.
// The picker hands nothing back but through the store.
class ImagePicker final : public QDialog {
    Q_OBJECT
public:
    // What tells the two pickers apart.
    struct Kind {
        QLatin1String name;
        QLatin1String caption;
        Key key;
        QSize clientSize; // at 96 dots per inch
    };
    // The custom background.
    static const Kind BackgroundPicture;
    // The custom logo.
    static const Kind LogoPicture;

    // The file types offered, in order, and the pattern each lists.
    static constexpr int FileTypeCount = 4;
    static QString fileTypeEntry(int position);
    static QString fileTypePattern(int position);

    // Starts at the program's current folder, listing the first file type.
    ImagePicker(const Kind& kind, SettingsStore& store, const DialogServices& services,
                QWidget* parent = nullptr);

    QLineEdit* fileNameBox() const { return m_fileNameBox; }
    FileList* fileList() const { return m_fileList; }
    QComboBox* fileTypeList() const { return m_fileTypeList; }
    QLabel* folderPathLabel() const { return m_folderPathLabel; }
    DirectoryList* folderList() const { return m_folderList; }
    QComboBox* driveList() const { return m_driveList; }
    QPushButton* okButton() const { return m_okButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

private:
    void buildForm();
    void fillLists();
    void onDriveChanged(int index);
    void onFolderChanged(const QString& path);
    void onFileTypePicked(int position);
    void onFileClicked();
    void onFileActivated();
    void onOk();
    void onCancel();

    void showDirName(const QString& path);
    // The listed drive that holds the folder: the longest drive root above
    // it. -1 when no listed drive does.
    int driveOf(const QString& folder) const;
    // Shows the folder's drive in the drive list without acting on it.
    void showDriveOf(const QString& folder);

    const Kind& m_kind;
    SettingsStore& m_store;
    DialogServices m_services;
    // The folder last shown on each drive, by drive root: choosing the drive
    // again returns there.
    QHash<QString, QString> m_driveFolders;

    QLineEdit* m_fileNameBox = nullptr;
    FileList* m_fileList = nullptr;
    QComboBox* m_fileTypeList = nullptr;
    QLabel* m_folderPathLabel = nullptr;
    DirectoryList* m_folderList = nullptr;
    QComboBox* m_driveList = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

// The folder and the file name joined into one path in the system's own
// form; a folder that ends with its separator (a root) keeps just the one.
QString joinedPath(const QString& folder, const QString& name);

} // namespace skyraid
