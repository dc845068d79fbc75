#pragma once

#include "engine/swlink/solidworks.h"
#include "swsim/doc_context.h"

namespace quorrix::swsim {

class SimSheet : public engine::SwSheet {
public:
    SimSheet(DocContext context, std::size_t index);
    std::string GetName() override;
    std::vector<double> GetProperties() override;

private:
    DocContext m_context;
    std::size_t m_index;
};

// Views of a sheet as SolidWorks walks them: the sheet itself first, then its drawing views.
class SimView : public engine::SwView {
public:
    SimView(DocContext context, std::size_t sheet, std::size_t position);
    std::shared_ptr<engine::SwView> GetNextView() override;
    bool GetFacettedHlrDisplay() override;
    std::int16_t GetDisplayMode() override;
    bool GetDisplayEdgesInShadedMode() override;
    bool GetUseParentDisplayMode() override;
    bool SetDisplayMode2(std::int32_t mode, bool facetted, bool edges) override;
    bool SetDisplayMode3(bool useParent, std::int32_t mode, bool facetted, bool edges) override;

private:
    ViewModel* view(); // nothing for the sheet's own view
    std::string target() const;

    DocContext m_context;
    std::size_t m_sheet;
    std::size_t m_position; // 0 the sheet, n the n-th drawing view
};

class SimPageSetup : public engine::SwPageSetup {
public:
    explicit SimPageSetup(DocContext context);
    std::int32_t PrinterPaperSize() override;
    void PrinterPaperSize(std::int32_t paperCode) override;
    std::int32_t Orientation() override;
    void Orientation(std::int32_t orientation) override;
    std::int16_t DrawingColor() override;
    void DrawingColor(std::int16_t color) override;
    bool SetHeader(
        const std::string& left, const std::string& center, const std::string& right) override;
    bool SetFooter(
        const std::string& left, const std::string& center, const std::string& right) override;

private:
    DocContext m_context;
};

class SimExportPdfData : public engine::SwExportPdfData {
public:
    explicit SimExportPdfData(DocContext context);
    bool SetSheets(std::int32_t which, const std::vector<std::string>& sheetNames) override;
    std::vector<std::string> GetSheets() override;
    bool ExportAs3D() override;
    void ExportAs3D(bool on) override;

    const std::optional<std::vector<std::string>>& sheets() const { return m_sheets; }
    bool as3D() const { return m_as3D; }

private:
    DocContext m_context;
    std::optional<std::vector<std::string>> m_sheets;
    bool m_as3D = false;
};

class SimExtension : public engine::SwModelDocExtension {
public:
    explicit SimExtension(DocContext context);
    std::int32_t UsePageSetup() override;
    void UsePageSetup(std::int32_t source) override;
    bool SaveAs(const std::string& path, std::int32_t version, std::int32_t options,
        engine::SwExportPdfData* exportData, std::int32_t& errors, std::int32_t& warnings) override;

private:
    DocContext m_context;
};

} // namespace quorrix::swsim
