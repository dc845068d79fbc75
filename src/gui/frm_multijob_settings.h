#pragma once

#include <memory>

#include "engine/run/multi_job_dialog.h"
#include "gui/option_dialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class frmMultijobSettings;
}

namespace quorrix::gui {

// The steps of a multi-job: three pre-jobs that run once before the pass (a settings file,
// a print list file or a macro) and ten steps applied to every document while it is open.
class frmMultijobSettings : public OptionDialog {
    Q_OBJECT

public:
    frmMultijobSettings(const MainWindowPorts& ports, QWidget* parent);
    ~frmMultijobSettings() override;

protected:
    bool apply() override;

private:
    QComboBox* preJobCombo(int row) const;
    QLineEdit* preJobBox(int row) const;
    QPushButton* preJobBrowse(int row) const;
    void showPreJobRow(int row);
    void browse(int row);
    void markMissingFiles();

    std::unique_ptr<Ui::frmMultijobSettings> m_ui;
    engine::MultiJobWorkingCopy m_jobs;
};

} // namespace quorrix::gui
