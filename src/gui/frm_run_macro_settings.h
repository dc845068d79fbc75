#pragma once

#include <memory>

#include "engine/run/macro_dialog.h"
#include "gui/option_dialog.h"

namespace Ui {
class frmRunMacroSettings;
}

namespace quorrix::gui {

// The ten macro slots: file, module and procedure of each, and the slot the action
// "RUNMACRO" runs. Switching slots keeps what was typed until OK or Cancel.
class frmRunMacroSettings : public OptionDialog {
    Q_OBJECT

public:
    frmRunMacroSettings(const MainWindowPorts& ports, QWidget* parent);
    ~frmRunMacroSettings() override;

protected:
    bool apply() override;

private:
    void showSlot();
    void keepTexts();
    void selectSlot(int index);
    void browse();

    std::unique_ptr<Ui::frmRunMacroSettings> m_ui;
    engine::MacroSlotsWorkingCopy m_slots;
};

} // namespace quorrix::gui
