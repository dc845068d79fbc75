#pragma once

#include "swcom/com_user_preferences.h"

namespace quorrix::swcom {

// A running SolidWorks, reached through its application object.
class ComApplication : public ComUserPreferences<engine::SwApplication> {
public:
    using ComUserPreferences::ComUserPreferences;

    bool Visible() override;
    void Visible(bool visible) override;
    bool UserControl() override;
    void UserControl(bool userControl) override;
    std::string RevisionNumber() override;
    std::shared_ptr<engine::SwDocument> OpenDoc2(const std::string& fileName, std::int32_t type,
        bool& readOnly, bool& viewOnly, bool silent, std::int32_t& errors) override;
    std::shared_ptr<engine::SwDocument> ActivateDoc(const std::string& name) override;
    std::shared_ptr<engine::SwDocument> ActiveDoc() override;
    void CloseDoc(const std::string& title) override;
    void ExitApp() override;
    bool RunMacro(const std::string& fileName, const std::string& module,
        const std::string& procedure) override;
    std::string ActivePrinter() override;
    void ActivePrinter(const std::string& printerName) override;
    std::int32_t LoadAddIn(const std::string& fileName) override;
    std::shared_ptr<engine::SwExportPdfData> GetExportFileData(std::int32_t fileType) override;
    engine::ProcessEnder GetProcessEnder() override;

    IDispatch* object() const { return m_dispatch.object(); }
    // False once a call found its process gone.
    bool isAlive() const { return m_dispatch.isAlive(); }
    // Whether this SolidWorks still runs for a connect to keep: not asked to exit, and its
    // process answers.
    bool stillRuns() { return !m_exitAsked && m_dispatch.answers(); }
    // A connect reached this object again, so a SolidWorks asked to exit has stayed.
    void reachedAgain() { m_exitAsked = false; }

private:
    bool m_exitAsked = false;
};

} // namespace quorrix::swcom
