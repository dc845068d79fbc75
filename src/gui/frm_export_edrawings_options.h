#pragma once

#include <memory>

#include "gui/option_dialog.h"

namespace Ui {
class frmExportEDrawingsOptions;
}

namespace quorrix::gui {

// The eDrawings options that the export hands to SolidWorks before each save, the
// Professional selection by the sheet name filter, and the output folder.
class frmExportEDrawingsOptions : public OptionDialog {
    Q_OBJECT

public:
    frmExportEDrawingsOptions(const MainWindowPorts& ports, QWidget* parent);
    ~frmExportEDrawingsOptions() override;

protected:
    bool apply() override;

private:
    std::unique_ptr<Ui::frmExportEDrawingsOptions> m_ui;
};

} // namespace quorrix::gui
