#include "gui/frm_preview_bitmap.h"

#include <algorithm>
#include <cmath>

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>

#include "engine/settings/registry.h"
#include "engine/swlink/document_manager.h"
#include "engine/swlink/document_type.h"
#include "gui/message_boxes.h"
#include "gui/qt_language_form.h"
#include "gui/qt_text.h"

namespace quorrix::gui {

namespace {

constexpr const char* kProgramTitle = "QUORRIX";
constexpr const char* kDesignTitle = "QUORRIX - Preview";
constexpr const char* kNoDocumentManager = "Ups, kein SwDocManager";
constexpr const char* kNoPreview = "Keine Vorschau. Error: ";
constexpr int kDesignWidthTwips = 6000;

QLabel* makePictureBox(const char* name, QWidget* parent)
{
    auto* box = new QLabel(parent);
    box->setObjectName(QString::fromLatin1(name));
    // Picture boxes hold pictures, never texts of a language.
    box->setProperty(kUntranslatedProperty, true);
    box->setTextFormat(Qt::PlainText);
    return box;
}

QImage toImage(const engine::DmPicture& picture)
{
    const QImage view(picture.rgba.data(), picture.width, picture.height, picture.width * 4,
        QImage::Format_RGBA8888);
    return view.copy(); // the pixels outlive the reading
}

bool isNormalState(const QWidget& window)
{
    return !(
        window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

} // namespace

frmPreviewBitmap::frmPreviewBitmap(engine::DocumentManagerConnector& documentManager,
    std::string accessString, engine::KeyValueStore& store, MessageBoxes& messages, QWidget* parent)
    : QWidget(parent)
    , m_documentManager(documentManager)
    , m_accessString(std::move(accessString))
    , m_messages(messages)
    , m_window(*this)
    , m_position(store, kProgramTitle)
    , m_dpi(primaryScreenDpi())
    , m_picHidden(makePictureBox("picHidden", this))
    , m_imgShow(makePictureBox("imgShow", this))
{
    setObjectName(QStringLiteral("frmPreviewBitmap"));
    // A window of its own beside the main window, even when the main window owns it.
    setWindowFlags(Qt::Window);
    m_picHidden->hide();
    m_imgShow->setScaledContents(true);
    engine::bindToProgramKey(m_position, m_window, engine::kProgramKey);
    resize(twipsToPixels(kDesignWidthTwips, m_dpi.x), height());
    resetToDesign();
}

frmPreviewBitmap::~frmPreviewBitmap() = default;

void frmPreviewBitmap::resetToDesign()
{
    setWindowTitle(QString::fromLatin1(kDesignTitle));
    m_picture = QImage();
    m_picHidden->clear();
    m_imgShow->clear();
    followWidth();
    layoutImage();
}

void frmPreviewBitmap::show()
{
    if (!m_loaded) {
        m_loaded = true;
        resetToDesign();
        m_restorePending = true;
    }
    QWidget::show();
    raise();
}

void frmPreviewBitmap::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The stored size is the outer frame, which is known only once the window is shown.
    if (m_restorePending) {
        m_restorePending = false;
        engine::restoreOrCenter(m_position);
    }
}

void frmPreviewBitmap::unload()
{
    if (!m_loaded)
        return;
    m_position.SaveForm();
    hide();
    m_loaded = false;
    resetToDesign();
}

void frmPreviewBitmap::closeEvent(QCloseEvent* event)
{
    const bool wasLoaded = m_loaded;
    unload();
    event->accept();
    if (wasLoaded)
        emit closedByUser();
}

void frmPreviewBitmap::SWXShowPreviewBitmap(const std::string& path)
{
    using Outcome = engine::PreviewReading::Outcome;
    engine::PreviewReading reading;
    try {
        reading = engine::ReadPreviewPicture(
            m_documentManager, m_accessString, path, engine::GetDocTypeFromPath(path));
    } catch (const engine::AutomationError& error) {
        // An exception must not leave a click handler; the user learns what failed.
        m_messages.show("Error: " + std::to_string(error.number()) + ". " + error.description(),
            "SWXShowPreviewBitmap");
        return;
    }
    switch (reading.outcome) {
    case Outcome::NoDocumentManager:
        m_messages.show(kNoDocumentManager, kProgramTitle);
        return;
    case Outcome::NoDocument:
        return;
    case Outcome::NoPicture:
        showNoPicture(reading.resultCode);
        break;
    case Outcome::Picture:
        showPicture(toImage(reading.picture));
        break;
    }
    setWindowTitle(path.empty() ? QString::fromLatin1(kDesignTitle) : toQString(path));
}

void frmPreviewBitmap::showPicture(const QImage& picture)
{
    m_picture = picture;
    const QPixmap pixmap = QPixmap::fromImage(picture);
    m_picHidden->setPixmap(pixmap);
    m_picHidden->resize(picture.size());
    m_imgShow->setPixmap(pixmap);
    layoutImage();
}

void frmPreviewBitmap::showNoPicture(std::int32_t resultCode)
{
    // The reason goes onto the hidden box only; the window shows no picture.
    m_picture = QImage();
    m_picHidden->setText(QString::fromLatin1(kNoPreview) + QString::number(resultCode));
    m_imgShow->clear();
}

void frmPreviewBitmap::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_adjusting)
        return;
    if (isNormalState(*this))
        followWidth();
    layoutImage();
}

void frmPreviewBitmap::followWidth()
{
    const QRect frame = frameGeometry();
    const int frameHeight = frame.height() - height();
    const double outerWidth = pixelsToTwips(frame.width(), m_dpi.x);
    const auto outerHeight
        = static_cast<std::int32_t>(std::lround(outerWidth / kWidthPerHeight)) + kExtraHeightTwips;
    const int inside = std::max(1, twipsToPixels(outerHeight, m_dpi.y) - frameHeight);
    if (inside == height())
        return;
    m_adjusting = true;
    resize(width(), inside);
    m_adjusting = false;
}

void frmPreviewBitmap::layoutImage()
{
    const int margin = twipsToPixels(kImageMarginTwips, m_dpi.x);
    const int width = std::max(0, this->width() - margin);
    int height = m_imgShow->height();
    if (!m_picture.isNull())
        height = static_cast<int>(
            std::lround(static_cast<double>(width) * m_picture.height() / m_picture.width()));
    m_imgShow->setGeometry(margin / 2, 0, width, height);
}

} // namespace quorrix::gui
