#pragma once

#include <memory>

#include "engine/actions/sheet_filter.h"
#include "gui/option_dialog.h"

namespace Ui {
class frmListFilter;
}

namespace quorrix::gui {

// The ten sheet name filter sets, the set in force and whether the filter is on. Each set
// keeps what was typed into it while another one is shown; OK stores all of them.
class frmListFilter : public OptionDialog {
    Q_OBJECT

public:
    frmListFilter(const MainWindowPorts& ports, QWidget* parent);
    ~frmListFilter() override;

protected:
    bool apply() override;

private:
    void showSet();
    void keepTyped();
    void chooseSet(int index);

    std::unique_ptr<Ui::frmListFilter> m_ui;
    engine::FilterWorkingCopy m_copy;
};

} // namespace quorrix::gui
