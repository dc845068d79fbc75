#pragma once

#include <array>
#include <memory>

#include "engine/actions/sheet_sizes.h"
#include "gui/option_dialog.h"

class QLineEdit;

namespace Ui {
class frmPrinterSheetSizes;
}

namespace quorrix::gui {

// The sizes, in metres, that decide a sheet's size class when custom sheet sizes are used.
// Opened from the printer settings window, not modal, placed anew each time.
class frmPrinterSheetSizes : public OptionDialog {
    Q_OBJECT

public:
    frmPrinterSheetSizes(const MainWindowPorts& ports, QWidget* parent);
    ~frmPrinterSheetSizes() override;

protected:
    bool apply() override;

private:
    void showSizes();
    void takeTyped();

    std::unique_ptr<Ui::frmPrinterSheetSizes> m_ui;
    engine::SheetSizesWorkingCopy m_copy;
    std::array<QLineEdit*, engine::kSheetSizeRows> m_widths {};
    std::array<QLineEdit*, engine::kSheetSizeRows> m_heights {};
};

} // namespace quorrix::gui
