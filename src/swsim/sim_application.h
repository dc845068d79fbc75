#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/swlink/solidworks.h"
#include "swsim/sim_document.h"
#include "swsim/sim_state.h"

namespace quorrix::swsim {

// One running SolidWorks of the stand-in. After ExitApp or a crash every call raises an
// automation error, as the object of a SolidWorks that is gone does.
class SimApplication : public engine::SwApplication {
public:
    SimApplication(std::shared_ptr<SimState> state, std::shared_ptr<AppLife> life);

    bool running() const { return m_life->running && !m_life->crashed && !m_life->ended(); }
    bool crashed() const { return m_life->crashed; }
    // The open documents, oldest first; tests look at their state.
    const std::vector<std::shared_ptr<SimDocument>>& documents() const { return m_documents; }

    double GetUserPreferenceDoubleValue(std::int32_t id) override;
    bool SetUserPreferenceDoubleValue(std::int32_t id, double value) override;
    std::int32_t GetUserPreferenceIntegerValue(std::int32_t id) override;
    bool SetUserPreferenceIntegerValue(std::int32_t id, std::int32_t value) override;
    bool GetUserPreferenceToggle(std::int32_t id) override;
    bool SetUserPreferenceToggle(std::int32_t id, bool value) override;
    std::string GetUserPreferenceStringListValue(std::int32_t id) override;
    bool SetUserPreferenceStringListValue(std::int32_t id, const std::string& value) override;

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

private:
    Call begin(const char* member, std::vector<std::string> args = {},
        DocumentFaultState* document = nullptr);
    // An open document by full path (letter case ignored, as Windows paths) or by title.
    std::shared_ptr<SimDocument> find(const std::string& name) const;
    std::shared_ptr<SimDocument> open(
        const std::string& fileName, std::int32_t type, std::int32_t& errors);
    // The installation's refused preference sets and those of the active document.
    std::set<std::string> refusedPreferences() const;

    std::shared_ptr<SimState> m_state;
    std::shared_ptr<AppLife> m_life;
    std::vector<std::shared_ptr<SimDocument>> m_documents;
    std::shared_ptr<SimDocument> m_active;
    bool m_visible = false;
    bool m_userControl = false;
};

} // namespace quorrix::swsim
