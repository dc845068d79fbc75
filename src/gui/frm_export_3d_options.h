#pragma once

#include <memory>

#include "gui/option_dialog.h"

namespace Ui {
class frmExport3DOptions;
}

namespace quorrix::gui {

// The neutral 3D format that parts and assemblies are exported in, and the output folder.
class frmExport3DOptions : public OptionDialog {
    Q_OBJECT

public:
    frmExport3DOptions(const MainWindowPorts& ports, QWidget* parent);
    ~frmExport3DOptions() override;

protected:
    bool apply() override;

private:
    std::unique_ptr<Ui::frmExport3DOptions> m_ui;
};

} // namespace quorrix::gui
