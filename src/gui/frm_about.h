#pragma once

#include <memory>

#include "gui/option_dialog.h"

namespace Ui {
class frmAbout;
}

namespace quorrix::gui {

// The about box: the program, its version and what it runs with, as a user reporting a
// problem is asked for it: the SolidWorks it talks to, where the settings and the process
// logs are kept, the Qt version.
class frmAbout : public OptionDialog {
    Q_OBJECT

public:
    frmAbout(const MainWindowPorts& ports, QWidget* parent);
    ~frmAbout() override;

protected:
    bool apply() override { return true; }

private:
    QString solidWorksText() const;
    void startSystemInformation();

    std::unique_ptr<Ui::frmAbout> m_ui;
};

} // namespace quorrix::gui
