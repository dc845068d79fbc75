#pragma once

#include <memory>

#include "engine/swlink/solidworks.h"
#include "swcom/dispatcher.h"

namespace quorrix::swcom {

// The smaller SolidWorks objects. Each is constructed from its automation object and the
// link of its connection (see ComLink).

class ComSheet : public engine::SwSheet {
public:
    ComSheet(IDispatch* object, std::shared_ptr<ComLink> link);
    std::string GetName() override;
    std::vector<double> GetProperties() override;

private:
    Dispatcher m_dispatch;
};

class ComView : public engine::SwView {
public:
    ComView(IDispatch* object, std::shared_ptr<ComLink> link);
    std::shared_ptr<engine::SwView> GetNextView() override;
    bool GetFacettedHlrDisplay() override;
    std::int16_t GetDisplayMode() override;
    bool GetDisplayEdgesInShadedMode() override;
    bool GetUseParentDisplayMode() override;
    bool SetDisplayMode2(std::int32_t mode, bool facetted, bool edges) override;
    bool SetDisplayMode3(bool useParent, std::int32_t mode, bool facetted, bool edges) override;

private:
    Dispatcher m_dispatch;
};

class ComPageSetup : public engine::SwPageSetup {
public:
    ComPageSetup(IDispatch* object, std::shared_ptr<ComLink> link);
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
    Dispatcher m_dispatch;
};

class ComExportPdfData : public engine::SwExportPdfData {
public:
    ComExportPdfData(IDispatch* object, std::shared_ptr<ComLink> link);
    bool SetSheets(std::int32_t which, const std::vector<std::string>& sheetNames) override;
    std::vector<std::string> GetSheets() override;
    bool ExportAs3D() override;
    void ExportAs3D(bool on) override;

    IDispatch* object() const { return m_dispatch.object(); }

private:
    Dispatcher m_dispatch;
};

class ComExtension : public engine::SwModelDocExtension {
public:
    ComExtension(IDispatch* object, std::shared_ptr<ComLink> link);
    std::int32_t UsePageSetup() override;
    void UsePageSetup(std::int32_t source) override;
    // Export data of another implementation cannot reach SolidWorks and goes as nothing.
    bool SaveAs(const std::string& path, std::int32_t version, std::int32_t options,
        engine::SwExportPdfData* exportData, std::int32_t& errors, std::int32_t& warnings) override;

private:
    Dispatcher m_dispatch;
};

} // namespace quorrix::swcom
