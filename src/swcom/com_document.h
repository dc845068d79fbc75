#pragma once

#include "swcom/com_user_preferences.h"

namespace quorrix::swcom {

// A SolidWorks document. A drawing's own members (sheets, views) are reached on the same
// object.
class ComDocument : public ComUserPreferences<engine::SwDocument> {
public:
    using ComUserPreferences::ComUserPreferences;

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
};

} // namespace quorrix::swcom
