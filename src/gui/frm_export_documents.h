#pragma once

#include <memory>

#include "engine/settings/settings.h"
#include "gui/option_dialog.h"

namespace Ui {
class frmExportDocuments;
}

namespace quorrix::gui {

// What the document export writes (PDF or JPG), whether parts and assemblies become 3D
// PDFs, whether a run's PDFs are also combined into one file and its name, the PDF line
// weights and the output folder.
class frmExportDocuments : public OptionDialog {
    Q_OBJECT

public:
    frmExportDocuments(const MainWindowPorts& ports, QWidget* parent);
    ~frmExportDocuments() override;

protected:
    bool apply() override;

private:
    void followFormat(int row);
    // True when the combined file's name can be stored; otherwise the user is told why and
    // the name box has the focus.
    bool combinedNameTaken();

    std::unique_ptr<Ui::frmExportDocuments> m_ui;
    // The PDF line weights as the line-weight window leaves them; stored only on OK.
    engine::PrinterLineSettings m_lines;
};

} // namespace quorrix::gui
