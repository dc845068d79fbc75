#pragma once

#include <string>

#include <QImage>
#include <QWidget>

#include "engine/settings/form_pos.h"
#include "gui/qt_positioned_window.h"

class QLabel;

namespace quorrix::engine {
class DocumentManagerConnector;
class KeyValueStore;
} // namespace quorrix::engine

namespace quorrix::gui {

class MessageBoxes;

// The non-modal window that shows the preview picture stored in the document the user last
// clicked, read with the SolidWorks Document Manager. picHidden keeps the picture as read,
// imgShow shows it stretched to the window's width. The window keeps its design texts.
//
// It loads when first shown (stored position) and unloads when the preview option goes off
// (position saved), so every time it opens it starts without a picture.
class frmPreviewBitmap : public QWidget {
    Q_OBJECT

public:
    // The window's outer height follows its width: width / 1.43 + 350 twips.
    static constexpr double kWidthPerHeight = 1.43;
    static constexpr int kExtraHeightTwips = 350;
    // imgShow is this much narrower than the inside of the window, half of it on each side.
    static constexpr int kImageMarginTwips = 200;

    frmPreviewBitmap(engine::DocumentManagerConnector& documentManager, std::string accessString,
        engine::KeyValueStore& store, MessageBoxes& messages, QWidget* parent = nullptr);
    ~frmPreviewBitmap() override;

    // Reads and shows the preview of the document at path. Nothing changes when the
    // Document Manager cannot open the file.
    void SWXShowPreviewBitmap(const std::string& path);

    void show();
    void unload();
    bool isLoaded() const { return m_loaded; }
    // The picture as read; null when the last document had none.
    const QImage& picture() const { return m_picture; }

signals:
    // The user closed the window with its close box; the window has unloaded itself. The
    // main window switches the preview option off, so clicks no longer read previews for a
    // window nobody sees.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void resetToDesign();
    void showPicture(const QImage& picture);
    void showNoPicture(std::int32_t resultCode);
    void followWidth();
    void layoutImage();

    engine::DocumentManagerConnector& m_documentManager;
    std::string m_accessString;
    MessageBoxes& m_messages;
    QtPositionedWindow m_window;
    engine::CFormPos m_position;
    ScreenDpi m_dpi;
    QLabel* m_picHidden;
    QLabel* m_imgShow;
    QImage m_picture;
    bool m_loaded = false;
    bool m_adjusting = false;
    bool m_restorePending = false;
};

} // namespace quorrix::gui
