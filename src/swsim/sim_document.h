#pragma once

#include "engine/swlink/solidworks.h"
#include "swsim/doc_context.h"

namespace quorrix::swsim {

class SimDocument : public engine::SwDocument {
public:
    explicit SimDocument(DocContext context);

    const DocContext& context() const { return m_context; }

    double GetUserPreferenceDoubleValue(std::int32_t id) override;
    bool SetUserPreferenceDoubleValue(std::int32_t id, double value) override;
    std::int32_t GetUserPreferenceIntegerValue(std::int32_t id) override;
    bool SetUserPreferenceIntegerValue(std::int32_t id, std::int32_t value) override;
    bool GetUserPreferenceToggle(std::int32_t id) override;
    bool SetUserPreferenceToggle(std::int32_t id, bool value) override;
    std::string GetUserPreferenceStringListValue(std::int32_t id) override;
    bool SetUserPreferenceStringListValue(std::int32_t id, const std::string& value) override;

    std::int32_t GetType() override;
    std::string GetTitle() override;
    std::string GetPathName() override;
    void PrintOut2(std::int32_t fromPage, std::int32_t toPage, std::int32_t copies, bool collate,
        const std::string& printer, double scale, bool printToFile,
        const std::string& printToFileName) override;
    std::int32_t SaveAs2(
        const std::string& path, std::int32_t version, bool saveAsCopy, bool silent) override;
    bool SaveAs4(const std::string& path, std::int32_t version, std::int32_t options,
        std::int32_t& errors, std::int32_t& warnings) override;
    std::shared_ptr<engine::SwPageSetup> PageSetup() override;
    std::shared_ptr<engine::SwModelDocExtension> Extension() override;
    std::string Printer() override;
    void Printer(const std::string& printerName) override;
    std::int32_t PrintSetup(std::int32_t index) override;
    void PrintSetup(std::int32_t index, std::int32_t value) override;
    std::int32_t GetSheetCount() override;
    std::vector<std::string> GetSheetNames() override;
    std::shared_ptr<engine::SwSheet> GetCurrentSheet() override;
    bool ActivateSheet(const std::string& name) override;
    std::shared_ptr<engine::SwView> GetFirstView() override;
    std::vector<std::string> GetConfigurationNames() override;

private:
    Call begin(const char* member, std::vector<std::string> args = {});
    // Document properties cover the line weights from revision 17 on; every other id is a
    // system option of the application.
    bool ownsPreference(std::int32_t id) const;
    std::string spoolRecord(
        std::int32_t fromPage, std::int32_t toPage, std::int32_t copies, double scale) const;

    DocContext m_context;
};

} // namespace quorrix::swsim
