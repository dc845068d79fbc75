#pragma once

#include <memory>

#include "engine/actions/output_naming.h"
#include "gui/option_dialog.h"

namespace Ui {
class frmPrePostFilenames;
}

namespace quorrix::gui {

// The ten sets of text put before and after the names of the files the program writes,
// the set in force and whether one is used. Each set keeps what was typed into it while
// another one is shown; OK stores all of them.
class frmPrePostFilenames : public OptionDialog {
    Q_OBJECT

public:
    frmPrePostFilenames(const MainWindowPorts& ports, QWidget* parent);
    ~frmPrePostFilenames() override;

protected:
    bool apply() override;

private:
    void showSet();
    void keepTyped();
    void chooseSet(int index);

    std::unique_ptr<Ui::frmPrePostFilenames> m_ui;
    engine::PrePostWorkingCopy m_copy;
};

} // namespace quorrix::gui
