#include "imagepicker.h"

#include "controls.h"
#include "filelists.h"

#include <array>

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace skyraid {

using namespace controls;

namespace {

struct FileType {
    QLatin1String entry;
    QLatin1String pattern;
};

constexpr std::array<FileType, ImagePicker::FileTypeCount> FileTypes{{
    {QLatin1String("BMP files (*.BMP)"), QLatin1String("*.BMP")},
    {QLatin1String("GIF files (*.GIF)"), QLatin1String("*.GIF")},
    {QLatin1String("JPG files (*.JPG)"), QLatin1String("*.JPG")},
    {QLatin1String("All files (*.*)"), QLatin1String("*.*")},
}};

// A folder path that never widens the dialog: when it does not fit, its
// middle gives way, so that both the drive and the folder's own name show.
// The whole path is in the tooltip.
class PathLabel final : public QLabel {
public:
    PathLabel(const QString& name, QWidget* parent) : QLabel(parent)
    {
        setObjectName(name);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        setMinimumHeight(fontMetrics().height());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
    }
};

QPushButton* button(const QString& caption, const QString& name, QWidget* parent)
{
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(name);
    return result;
}

} // namespace

const ImagePicker::Kind ImagePicker::BackgroundPicture{QLatin1String("backgroundPicker"),
                                                       QLatin1String("Select Your Background"),
                                                       keys::BMPFileName, QSize(404, 312)};
const ImagePicker::Kind ImagePicker::LogoPicture{QLatin1String("logoPicker"),
                                                 QLatin1String("Select Your Logo"),
                                                 keys::LogoFileName, QSize(389, 286)};

QString ImagePicker::fileTypeEntry(int position)
{
    return FileTypes.at(std::size_t(position)).entry;
}

QString ImagePicker::fileTypePattern(int position)
{
    return FileTypes.at(std::size_t(position)).pattern;
}

ImagePicker::ImagePicker(const Kind& kind, SettingsStore& store, const DialogServices& services,
                         QWidget* parent)
    : QDialog(parent), m_kind(kind), m_store(store), m_services(services)
{
    setObjectName(kind.name);
    setWindowTitle(kind.caption);
    setModal(true);
    buildForm();
    fillLists();
}

void ImagePicker::buildForm()
{
    m_fileNameBox = textBox(QString(), QStringLiteral("fileNameBox"), this);
    m_fileList = new FileList(this);
    m_fileList->setObjectName(QStringLiteral("fileList"));
    m_fileTypeList = new QComboBox(this);
    m_fileTypeList->setObjectName(QStringLiteral("fileTypeList"));
    m_folderPathLabel = new PathLabel(QStringLiteral("folderPathLabel"), this);
    m_folderList = new DirectoryList(this);
    m_folderList->setObjectName(QStringLiteral("folderList"));
    m_driveList = new QComboBox(this);
    m_driveList->setObjectName(QStringLiteral("driveList"));
    m_cancelButton = button(QStringLiteral("&Cancel"), QStringLiteral("cancelButton"), this);
    m_okButton = button(QStringLiteral("&OK"), QStringLiteral("okButton"), this);
    // Enter in the file name box accepts it.
    m_okButton->setDefault(true);

    auto* fileNameLabel =
        label(QStringLiteral("File Name:"), QStringLiteral("fileNameLabel"), this);
    auto* fileTypeLabel =
        label(QStringLiteral("File Type:"), QStringLiteral("fileTypeLabel"), this);
    auto* folderListLabel =
        label(QStringLiteral("Directories:"), QStringLiteral("folderListLabel"), this);
    auto* driveLabel = label(QStringLiteral("Drive:"), QStringLiteral("driveLabel"), this);

    // Two columns of the same width; the lists take what height there is.
    auto* columns = new QGridLayout;
    columns->setHorizontalSpacing(12);
    columns->addWidget(fileNameLabel, 0, 0);
    columns->addWidget(m_fileNameBox, 1, 0);
    columns->addWidget(m_fileList, 2, 0);
    columns->addWidget(fileTypeLabel, 3, 0);
    columns->addWidget(m_fileTypeList, 4, 0);
    columns->addWidget(folderListLabel, 0, 1);
    columns->addWidget(m_folderPathLabel, 1, 1);
    columns->addWidget(m_folderList, 2, 1);
    columns->addWidget(driveLabel, 3, 1);
    columns->addWidget(m_driveList, 4, 1);
    columns->setColumnStretch(0, 1);
    columns->setColumnStretch(1, 1);
    columns->setRowStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_okButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    const double scale = logicalDpiY() / 96.0;
    const QSize wanted(qRound(m_kind.clientSize.width() * scale),
                       qRound(m_kind.clientSize.height() * scale));
    resize(wanted.expandedTo(minimumSizeHint()));

    connect(m_driveList, &QComboBox::currentIndexChanged, this, &ImagePicker::onDriveChanged);
    connect(m_folderList, &DirectoryList::pathChanged, this, &ImagePicker::onFolderChanged);
    connect(m_fileTypeList, &QComboBox::currentIndexChanged, this, &ImagePicker::onFileTypePicked);
    // A click, or moving the selection with the keys.
    connect(m_fileList, &QListWidget::itemSelectionChanged, this, &ImagePicker::onFileClicked);
    connect(m_fileList, &QListWidget::itemClicked, this, &ImagePicker::onFileClicked);
    connect(m_fileList, &QListWidget::itemDoubleClicked, this, &ImagePicker::onFileActivated);
    connect(m_okButton, &QPushButton::clicked, this, &ImagePicker::onOk);
    connect(m_cancelButton, &QPushButton::clicked, this, &ImagePicker::onCancel);
}

void ImagePicker::fillLists()
{
    {
        const QSignalBlocker blocker(m_driveList);
        for (const QString& root : m_services.volumes())
            m_driveList->addItem(QDir::toNativeSeparators(root), root);
    }

    // Adding the first entry selects it, which sets the first pattern.
    for (int position = 0; position < FileTypeCount; ++position)
        m_fileTypeList->addItem(fileTypeEntry(position));
    m_fileTypeList->setCurrentIndex(0);

    // The lists start at the program's current folder, on its drive; the
    // folder list's change notification fills the file list and the path.
    // Should that folder be gone, the home folder stands in.
    for (const QString& start : {QDir::currentPath(), QDir::homePath(), QDir::rootPath()}) {
        if (m_folderList->setPath(start))
            break;
    }
}

void ImagePicker::onDriveChanged(int index)
{
    const QString root = m_driveList->itemData(index).toString();
    const QString folder = m_driveFolders.value(root, root);
    if (m_folderList->setPath(folder) || (folder != root && m_folderList->setPath(root)))
        return;
    m_services.messages->show(this, MessageBoxes::Icon::Exclamation, QStringLiteral("Error"),
                              QStringLiteral("Drive error!"));
    showDriveOf(m_folderList->path());
}

void ImagePicker::onFolderChanged(const QString& path)
{
    m_fileList->setPath(path);
    showDirName(path);
    // Folders nest across drives here (a disc mounted inside the home
    // folder), so the drive list follows the folder.
    showDriveOf(path);
    if (m_driveList->currentIndex() >= 0)
        m_driveFolders.insert(m_driveList->currentData().toString(), path);
}

void ImagePicker::onFileTypePicked(int position)
{
    if (position < 0 || position >= FileTypeCount)
        return;
    m_fileList->setPattern(fileTypePattern(position));
}

void ImagePicker::onFileClicked()
{
    const QString name = m_fileList->fileName();
    if (!name.isEmpty())
        m_fileNameBox->setText(name);
}

void ImagePicker::onFileActivated()
{
    onFileClicked();
    onOk();
}

void ImagePicker::onOk()
{
    const QString typed = m_fileNameBox->text();
    if (typed.isEmpty()) {
        m_services.messages->show(this, MessageBoxes::Icon::None, programTitle(),
                                  QStringLiteral("You must first select a file!"));
        return;
    }
    // The selected file is stored with its folder; anything else as typed.
    const QString selected = m_fileList->fileName();
    const QString result =
        !selected.isEmpty() && typed == selected ? joinedPath(m_fileList->path(), selected) : typed;
    writeSetting(m_store, m_kind.key, result);
    accept();
}

void ImagePicker::onCancel()
{
    reject();
}

void ImagePicker::showDirName(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    m_folderPathLabel->setText(shown);
    m_folderPathLabel->setToolTip(shown);
}

int ImagePicker::driveOf(const QString& folder) const
{
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity sensitivity = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity sensitivity = Qt::CaseSensitive;
#endif
    int best = -1;
    qsizetype bestLength = -1;
    for (int index = 0; index < m_driveList->count(); ++index) {
        QString root = m_driveList->itemData(index).toString();
        if (!root.endsWith(u'/'))
            root += u'/';
        const bool holds = (folder + u'/').startsWith(root, sensitivity);
        if (holds && root.size() > bestLength) {
            best = index;
            bestLength = root.size();
        }
    }
    return best;
}

void ImagePicker::showDriveOf(const QString& folder)
{
    const QSignalBlocker blocker(m_driveList);
    m_driveList->setCurrentIndex(driveOf(folder));
}

QString joinedPath(const QString& folder, const QString& name)
{
    QString path = folder;
    if (!path.endsWith(u'/') && !path.endsWith(QDir::separator()))
        path += u'/';
    return QDir::toNativeSeparators(path + name);
}

} // namespace skyraid
