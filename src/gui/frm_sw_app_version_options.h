#pragma once

#include <memory>

#include "gui/option_dialog.h"

namespace Ui {
class frmSwAppVersionOptions;
}

namespace quorrix::gui {

// The SolidWorks version the program connects to: one of the versions the machine has
// registered. The choice takes effect at the next connect; the instance in use stays.
class frmSwAppVersionOptions : public OptionDialog {
    Q_OBJECT

public:
    frmSwAppVersionOptions(const MainWindowPorts& ports, QWidget* parent);
    ~frmSwAppVersionOptions() override;

protected:
    bool apply() override;

private:
    std::unique_ptr<Ui::frmSwAppVersionOptions> m_ui;
};

} // namespace quorrix::gui
