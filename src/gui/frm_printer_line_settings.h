#pragma once

#include <array>
#include <functional>
#include <memory>

#include "engine/settings/settings.h"
#include "gui/option_dialog.h"

class QLineEdit;

namespace Ui {
class frmPrinterLineSettings;
}

namespace quorrix::gui {

// One set of the eight line weights, in millimetres, with its use flag; the same window for
// the printer rows, the TIFF and the PDF record. It edits the record it is given in place:
// on OK the record holds the window's values and accepted() is emitted, on Cancel the record
// is left alone. The caller keeps the record alive while the window is open (a member of the
// calling window, which owns this one) and opens it modally (open() or exec()).
class frmPrinterLineSettings : public OptionDialog {
    Q_OBJECT

public:
    frmPrinterLineSettings(
        const MainWindowPorts& ports, engine::PrinterLineSettings& lines, QWidget* parent);
    ~frmPrinterLineSettings() override;

    // Opens the window modally over parent on lines; onOk runs after OK has stored them.
    static void edit(const MainWindowPorts& ports, engine::PrinterLineSettings& lines,
        QWidget* parent, std::function<void()> onOk);

protected:
    bool apply() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showWeights(const engine::PrinterLineSettings& lines);
    std::optional<engine::PrinterLineSettings> typedLines() const;
    void tellInvalid();
    void getFromSolidWorks();
    void setInSolidWorks(bool asSystemOptions);

    std::unique_ptr<Ui::frmPrinterLineSettings> m_ui;
    engine::PrinterLineSettings& m_lines;
    std::array<QLineEdit*, engine::kLineWeights> m_boxes {};
};

} // namespace quorrix::gui
