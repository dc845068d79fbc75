#pragma once

#include <memory>
#include <string>

#include "gui/option_dialog.h"

namespace Ui {
class frmAssemblyPackage;
}

namespace quorrix::gui {

// What the print list gets of an assembly.
struct AssemblyPackageChoice {
    bool models = false; // the models themselves instead of their drawings
    bool everyOccurrence = false; // a component again at each place it occurs
};

// Asks what of the assembly goes into the print list: its drawings or its models, each
// document once or at each place it occurs, and where drawings are looked for. OK keeps the
// search folders in the settings; the caller reads choice() once the window was confirmed.
class frmAssemblyPackage : public OptionDialog {
    Q_OBJECT

public:
    frmAssemblyPackage(const MainWindowPorts& ports, const std::string& assembly,
        AssemblyPackageChoice proposed, QWidget* parent);
    ~frmAssemblyPackage() override;

    AssemblyPackageChoice choice() const { return m_choice; }

protected:
    bool apply() override;

private:
    std::unique_ptr<Ui::frmAssemblyPackage> m_ui;
    AssemblyPackageChoice m_choice;
};

} // namespace quorrix::gui
