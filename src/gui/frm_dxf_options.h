#pragma once

#include <memory>

#include "gui/option_dialog.h"

namespace Ui {
class frmDXFOptions;
}

namespace quorrix::gui {

// The options of the DXF and DWG actions: how the files are named, whether SolidWorks
// writes all sheets of a drawing into one file, and the output folder.
class frmDXFOptions : public OptionDialog {
    Q_OBJECT

public:
    frmDXFOptions(const MainWindowPorts& ports, QWidget* parent);
    ~frmDXFOptions() override;

protected:
    bool apply() override;

private:
    std::unique_ptr<Ui::frmDXFOptions> m_ui;
};

} // namespace quorrix::gui
