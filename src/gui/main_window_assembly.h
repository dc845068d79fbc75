#pragma once

#include <QObject>

#include <string>
#include <vector>

#include "gui/frm_assembly_package.h"
#include "gui/main_window_ports.h"

namespace quorrix::engine {
class clsMultiLanguage;
struct AssemblyPackage;
} // namespace quorrix::engine

namespace quorrix::gui {

class frmMain;

// The command "add the drawings of an assembly" (mnuEditAddAssembly, in the Edit menu and
// the print list's context menu): takes the first assembly selected in the file list, else
// in the print list, else asks for one; asks whether its drawings or its models go in;
// adds them in the order of the assembly's bill of materials at the print list's current
// row, and tells the user once what stood in the way.
class MainWindowAssembly : public QObject {
    Q_OBJECT
public:
    MainWindowAssembly(frmMain& window, const MainWindowPorts& ports);
    ~MainWindowAssembly() override;

    // Expands the assembly as chosen and adds what it gives to the print list.
    void addPackage(const std::string& assembly, AssemblyPackageChoice choice);

private:
    void addAssembly();
    std::string selectedAssembly() const;
    std::string askForAssembly() const;

    frmMain& m_window;
    MainWindowPorts m_ports;
    // The window proposes what the user chose last.
    AssemblyPackageChoice m_choice;
};

// What stood in the way of an assembly's documents, in one message; empty when nothing did.
// notAdded: the documents the full print list did not take.
std::string assemblyPackageMessage(engine::clsMultiLanguage& texts,
    const engine::AssemblyPackage& package, const std::vector<std::string>& notAdded);

} // namespace quorrix::gui
