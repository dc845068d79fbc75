#pragma once

#include <QObject>
#include <QPointer>

#include "gui/main_window_ports.h"

namespace quorrix::gui {

class frmMain;
class frmPreviewBitmap;

// The preview option of the main window: the toggle (menu entry and toolbar key), the
// preview window it opens and closes, and the previews of the rows the user clicks.
//
// The menu entry's check mark is the option's state; the toolbar key follows it. The
// setting PreviewBitmap follows every change, and only its value 1 counts as on.
class MainWindowPreview : public QObject {
    Q_OBJECT
public:
    MainWindowPreview(frmMain& window, const MainWindowPorts& ports);
    ~MainWindowPreview() override;

    // The preview window, a window of its own owned by the main window.
    frmPreviewBitmap* previewWindow() const { return m_preview; }

private:
    void toggled(bool on);
    void closedByUser();
    void fileRowClicked(int row);
    void printListRowClicked(int row);
    bool isOn() const;
    void unload();

    frmMain& m_window;
    MainWindowPorts m_ports;
    // Owned by the main window, which may delete it before this object.
    QPointer<frmPreviewBitmap> m_preview;
};

} // namespace quorrix::gui
