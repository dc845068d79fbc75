#include "gui/frm_open_directory.h"
#include "gui/volumes.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "engine/settings/multi_language.h"
#include "engine/settings/registry.h"
#include "gui/qt_language_form.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr int kTitleInfoText = 7;
constexpr const char* kDesignTitle = "Bitte Zielverzeichnis auswählen ...";
constexpr int kDesignWidthTwips = 4500;
constexpr int kDesignHeightTwips = 5400;

QPushButton* makeButton(const char* name, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

frmOpenDirectory::frmOpenDirectory(
    engine::clsMultiLanguage& language, engine::KeyValueStore& store, QWidget* parent)
    : QDialog(parent)
    , m_window(*this)
    , m_position(store, "QUORRIX")
    , m_drive1(new QComboBox(this))
    , m_dir1(new QTreeView(this))
    , m_folders(new QFileSystemModel(this))
    , m_cmdOkay(makeButton("cmdOkay", "&Übernehmen", this))
    , m_cmdAbbruch(makeButton("cmdAbbruch", "&Abbruch", this))
{
    setObjectName(QStringLiteral("frmOpenDirectory"));
    setWindowTitle(QString::fromUtf8(kDesignTitle));
    setModal(true);

    m_drive1->setObjectName(QStringLiteral("Drive1"));
    // The drives are data, not texts of a language.
    m_drive1->setProperty(kUntranslatedProperty, true);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_folders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_folders->setReadOnly(true);
    m_dir1->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_dir1->hideColumn(column);
    m_dir1->setHeaderHidden(true);
    m_dir1->setUniformRowHeights(true);
    m_dir1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_cmdOkay->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOkay);
    buttons->addWidget(m_cmdAbbruch);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_drive1);
    layout->addWidget(m_dir1, 1);
    layout->addLayout(buttons);

    fillDrives();
    connect(m_drive1, &QComboBox::activated, this,
        [this](int index) { chooseDrive(m_drive1->itemData(index).toString()); });
    connect(m_dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) { folderSelected(current); });
    connect(m_cmdOkay, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cmdAbbruch, &QPushButton::clicked, this, &QDialog::reject);

    QtLanguageForm form(*this);
    language.GetAllControlText(form);
    setWindowTitle(toQString(language.GetInfoText(kTitleInfoText)));

    setCurrentFolder(QDir::currentPath());
    resize(twipsToPixels(kDesignWidthTwips, primaryScreenDpi().x),
        twipsToPixels(kDesignHeightTwips, primaryScreenDpi().y));
    engine::bindToProgramKey(m_position, m_window, engine::kProgramKey);
}

frmOpenDirectory::~frmOpenDirectory() = default;

void frmOpenDirectory::fillDrives()
{
    for (const QString& root : volumeRoots())
        m_drive1->addItem(QDir::toNativeSeparators(root), root);
}

bool frmOpenDirectory::setCurrentFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return false;
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    m_folders->setRootPath(volumeRootOf(path));
    const QModelIndex index = m_folders->index(path);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_dir1->expand(parent);
    m_dir1->setCurrentIndex(index);
    m_dir1->scrollTo(index);
    m_folder = QDir::toNativeSeparators(path);
    showDriveOf(path);
    return true;
}

void frmOpenDirectory::folderSelected(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const QString path = m_folders->filePath(index);
    m_folder = QDir::toNativeSeparators(path);
    showDriveOf(path);
}

bool frmOpenDirectory::chooseDrive(const QString& drive)
{
    const QDir dir(drive);
    if (drive.isEmpty() || !dir.exists() || !dir.isReadable()) {
        // No words for a drive that is not ready: the list flashes and shows the drive in use.
        showDriveOf(QDir::fromNativeSeparators(m_folder));
        flashDriveList();
        return false;
    }
    if (volumeRootOf(QDir::fromNativeSeparators(m_folder)) == volumeRootOf(dir.absolutePath()))
        return true;
    return setCurrentFolder(volumeRootOf(dir.absolutePath()));
}

void frmOpenDirectory::showDriveOf(const QString& folder)
{
    const QString root = volumeRootOf(folder);
    int index = m_drive1->findData(root);
    if (index < 0) {
        m_drive1->addItem(QDir::toNativeSeparators(root), root);
        index = m_drive1->count() - 1;
    }
    m_drive1->setCurrentIndex(index);
}

void frmOpenDirectory::flashDriveList()
{
    // Red, back, red, back, red, 250 ms each, then back for good.
    constexpr int kPhases = 6;
    constexpr int kPhaseMs = 250;
    for (int phase = 0; phase < kPhases; ++phase)
        QTimer::singleShot(phase * kPhaseMs, this,
            [this, phase] { setDriveListRed(phase % 2 == 0 && phase < kPhases - 1); });
}

void frmOpenDirectory::setDriveListRed(bool red)
{
    m_driveListRed = red;
    QPalette palette = m_drive1->palette();
    const QPalette normal = QDialog::palette();
    const QColor colour = red ? QColor(Qt::red) : normal.color(QPalette::Button);
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::Base, red ? colour : normal.color(QPalette::Base));
    m_drive1->setPalette(palette);
}

void frmOpenDirectory::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The stored size is the outer frame, which is known only once the window is shown;
    // restored earlier, the dialog would grow by its frame every time it is used.
    if (!m_positionRestored) {
        m_positionRestored = true;
        engine::restoreOrCenter(m_position);
    }
}

void frmOpenDirectory::done(int result)
{
    m_result = result == QDialog::Accepted ? m_folder : QString();
    m_position.SaveForm();
    QDialog::done(result);
}

} // namespace quorrix::gui
