#pragma once

#include <memory>

#include "engine/actions/printer_rows.h"
#include "gui/option_dialog.h"

class QLabel;

namespace Ui {
class frmPrinterSettings;
}

namespace quorrix::gui {

// Which printer, paper and scale each sheet-size class prints with, and the general print
// options. Not modal: the user may look at the print list while choosing.
class frmPrinterSettings : public OptionDialog {
    Q_OBJECT

public:
    frmPrinterSettings(const MainWindowPorts& ports, QWidget* parent);
    ~frmPrinterSettings() override;

    // The note that custom sheet sizes are in use, shown exactly when they are.
    void showCustomSheetSizeNote();

protected:
    bool apply() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildRow(int row);
    void showPapers(int row);
    void showScale(int row);
    void followUseOnlyDefault(bool onlyDefault);
    void editLineWeights(int row);
    void showPrinterProperties(int row);
    void openSheetSizes();

    template <typename T> T* member(const char* array, int row) const;

    std::unique_ptr<Ui::frmPrinterSettings> m_ui;
    engine::PrinterSettingsWorkingCopy m_copy;
};

} // namespace quorrix::gui
