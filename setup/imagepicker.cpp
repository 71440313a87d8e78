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

const ImagePicker::Kind ImagePicker::GetFile{QLatin1String("GetFile"), QLatin1String("Form1"),
                                             keys::BMPFileName, QSize(404, 312)};
const ImagePicker::Kind ImagePicker::GetLogo{QLatin1String("GetLogo"),
                                             QLatin1String("Select Your Logo"), keys::LogoFileName,
                                             QSize(389, 286)};

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
    Form_Load();
}

void ImagePicker::buildForm()
{
    m_txtFileName = textBox(QString(), QStringLiteral("txtFileName"), this);
    m_filFiles = new FileList(this);
    m_filFiles->setObjectName(QStringLiteral("filFiles"));
    m_cboFileType = new QComboBox(this);
    m_cboFileType->setObjectName(QStringLiteral("cboFileType"));
    m_lblDirName = new PathLabel(QStringLiteral("lblDirName"), this);
    m_dirDirectory = new DirectoryList(this);
    m_dirDirectory->setObjectName(QStringLiteral("dirDirectory"));
    m_drvDrive = new QComboBox(this);
    m_drvDrive->setObjectName(QStringLiteral("drvDrive"));
    m_cmdCancel = button(QStringLiteral("&Cancel"), QStringLiteral("cmdCancel"), this);
    m_cmdOK = button(QStringLiteral("&OK"), QStringLiteral("cmdOK"), this);
    // Enter in the file name box accepts it.
    m_cmdOK->setDefault(true);

    auto* lblFileName = label(QStringLiteral("File Name:"), QStringLiteral("lblFileName"), this);
    auto* lblFileType = label(QStringLiteral("File Type:"), QStringLiteral("lblFileType"), this);
    auto* lblDirectories =
        label(QStringLiteral("Directories:"), QStringLiteral("lblDirectories"), this);
    auto* lblDrive = label(QStringLiteral("Drive:"), QStringLiteral("lblDrive"), this);

    // Two columns of the same width; the lists take what height there is.
    auto* columns = new QGridLayout;
    columns->setHorizontalSpacing(12);
    columns->addWidget(lblFileName, 0, 0);
    columns->addWidget(m_txtFileName, 1, 0);
    columns->addWidget(m_filFiles, 2, 0);
    columns->addWidget(lblFileType, 3, 0);
    columns->addWidget(m_cboFileType, 4, 0);
    columns->addWidget(lblDirectories, 0, 1);
    columns->addWidget(m_lblDirName, 1, 1);
    columns->addWidget(m_dirDirectory, 2, 1);
    columns->addWidget(lblDrive, 3, 1);
    columns->addWidget(m_drvDrive, 4, 1);
    columns->setColumnStretch(0, 1);
    columns->setColumnStretch(1, 1);
    columns->setRowStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdCancel);
    buttons->addWidget(m_cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    const double scale = logicalDpiY() / 96.0;
    const QSize wanted(qRound(m_kind.clientSize.width() * scale),
                       qRound(m_kind.clientSize.height() * scale));
    resize(wanted.expandedTo(minimumSizeHint()));

    connect(m_drvDrive, &QComboBox::currentIndexChanged, this, &ImagePicker::drvDrive_Change);
    connect(m_dirDirectory, &DirectoryList::pathChanged, this, &ImagePicker::dirDirectory_Change);
    connect(m_cboFileType, &QComboBox::currentIndexChanged, this, &ImagePicker::cboFileType_Click);
    // A click, or moving the selection with the keys.
    connect(m_filFiles, &QListWidget::itemSelectionChanged, this, &ImagePicker::filFiles_Click);
    connect(m_filFiles, &QListWidget::itemClicked, this, &ImagePicker::filFiles_Click);
    connect(m_filFiles, &QListWidget::itemDoubleClicked, this, &ImagePicker::filFiles_DblClick);
    connect(m_cmdOK, &QPushButton::clicked, this, &ImagePicker::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &ImagePicker::cmdCancel_Click);
}

void ImagePicker::Form_Load()
{
    {
        const QSignalBlocker blocker(m_drvDrive);
        for (const QString& root : m_services.volumes())
            m_drvDrive->addItem(QDir::toNativeSeparators(root), root);
    }

    // Adding the first entry selects it, which sets the first pattern.
    for (int position = 0; position < FileTypeCount; ++position)
        m_cboFileType->addItem(fileTypeEntry(position));
    m_cboFileType->setCurrentIndex(0);

    // The lists start at the program's current folder, on its drive; the
    // folder list's change notification fills the file list and the path.
    // Should that folder be gone, the home folder stands in.
    for (const QString& start : {QDir::currentPath(), QDir::homePath(), QDir::rootPath()}) {
        if (m_dirDirectory->setPath(start))
            break;
    }
}

void ImagePicker::drvDrive_Change(int index)
{
    const QString root = m_drvDrive->itemData(index).toString();
    const QString folder = m_driveFolders.value(root, root);
    if (m_dirDirectory->setPath(folder) || (folder != root && m_dirDirectory->setPath(root)))
        return;
    m_services.messages->show(this, MessageBoxes::Icon::Exclamation, QStringLiteral("Error"),
                              QStringLiteral("Drive error!"));
    showDriveOf(m_dirDirectory->path());
}

void ImagePicker::dirDirectory_Change(const QString& path)
{
    m_filFiles->setPath(path);
    showDirName(path);
    // Folders nest across drives here (a disc mounted inside the home
    // folder), so the drive list follows the folder.
    showDriveOf(path);
    if (m_drvDrive->currentIndex() >= 0)
        m_driveFolders.insert(m_drvDrive->currentData().toString(), path);
}

void ImagePicker::cboFileType_Click(int position)
{
    if (position < 0 || position >= FileTypeCount)
        return;
    m_filFiles->setPattern(fileTypePattern(position));
}

void ImagePicker::filFiles_Click()
{
    const QString name = m_filFiles->fileName();
    if (!name.isEmpty())
        m_txtFileName->setText(name);
}

void ImagePicker::filFiles_DblClick()
{
    filFiles_Click();
    cmdOK_Click();
}

void ImagePicker::cmdOK_Click()
{
    const QString typed = m_txtFileName->text();
    if (typed.isEmpty()) {
        m_services.messages->show(this, MessageBoxes::Icon::None, programTitle(),
                                  QStringLiteral("You must first select a file!"));
        return;
    }
    // The selected file is stored with its folder; anything else as typed.
    const QString selected = m_filFiles->fileName();
    const QString result =
        !selected.isEmpty() && typed == selected ? joinedPath(m_filFiles->path(), selected) : typed;
    writeSetting(m_store, m_kind.key, result);
    accept();
}

void ImagePicker::cmdCancel_Click()
{
    reject();
}

void ImagePicker::showDirName(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    m_lblDirName->setText(shown);
    m_lblDirName->setToolTip(shown);
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
    for (int index = 0; index < m_drvDrive->count(); ++index) {
        QString root = m_drvDrive->itemData(index).toString();
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
    const QSignalBlocker blocker(m_drvDrive);
    m_drvDrive->setCurrentIndex(driveOf(folder));
}

QString joinedPath(const QString& folder, const QString& name)
{
    QString path = folder;
    if (!path.endsWith(u'/') && !path.endsWith(QDir::separator()))
        path += u'/';
    return QDir::toNativeSeparators(path + name);
}

} // namespace skyraid
