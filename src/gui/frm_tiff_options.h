#pragma once

#include <memory>

#include "engine/actions/tiff_dialog.h"
#include "gui/option_dialog.h"

namespace Ui {
class frmTIFFOptions;
}

namespace quorrix::gui {

// How the TIFF action writes its pictures: SolidWorks' TIFF preferences as the program sets
// them for every sheet, the file names, the folder and the line weights.
class frmTIFFOptions : public OptionDialog {
    Q_OBJECT

public:
    frmTIFFOptions(const MainWindowPorts& ports, QWidget* parent);
    ~frmTIFFOptions() override;

protected:
    bool apply() override;

private:
    void showOptions();
    void followCapture();
    void takeScale();
    void warn(int infoText);
    void tellLengthNotANumber();
    void getFromSolidWorks();
    void setInSolidWorks();

    std::unique_ptr<Ui::frmTIFFOptions> m_ui;
    engine::TiffOptionsWorkingCopy m_copy;
};

} // namespace quorrix::gui
