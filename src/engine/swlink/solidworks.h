#pragma once

// The SolidWorks automation members the program calls, as abstract classes. Each member
// keeps its automation name. A property is a pair of overloads: X() reads it, X(value)
// writes it. By-reference arguments are references; "nothing" is a null pointer; an
// automation error raised instead of a result is thrown as AutomationError.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorrix::engine {

// An error raised by SolidWorks (or by the automation layer on its way) instead of a
// result: its number (an HRESULT or a SolidWorks error code) and its text.
class AutomationError : public std::runtime_error {
public:
    AutomationError(long number, const std::string& description)
        : std::runtime_error(description)
        , m_number(number)
    {
    }
    long number() const { return m_number; }
    std::string description() const { return what(); }

private:
    long m_number;
};

// Document types as GetType and OpenDoc2 number them.
inline constexpr std::int32_t kSwDocNone = 0;
inline constexpr std::int32_t kSwDocPart = 1;
inline constexpr std::int32_t kSwDocAssembly = 2;
inline constexpr std::int32_t kSwDocDrawing = 3;

// OpenDoc2's error value for a file that is not there.
inline constexpr std::int32_t kSwFileNotFoundError = 2;

// The user preference families shared by the application (system options) and, from
// SolidWorks 2009 on, by a document (document properties).
class SwUserPreferences {
public:
    virtual ~SwUserPreferences() = default;

    virtual double GetUserPreferenceDoubleValue(std::int32_t id) = 0;
    virtual bool SetUserPreferenceDoubleValue(std::int32_t id, double value) = 0;
    virtual std::int32_t GetUserPreferenceIntegerValue(std::int32_t id) = 0;
    virtual bool SetUserPreferenceIntegerValue(std::int32_t id, std::int32_t value) = 0;
    virtual bool GetUserPreferenceToggle(std::int32_t id) = 0;
    virtual bool SetUserPreferenceToggle(std::int32_t id, bool value) = 0;
    virtual std::string GetUserPreferenceStringListValue(std::int32_t id) = 0;
    virtual bool SetUserPreferenceStringListValue(std::int32_t id, const std::string& value) = 0;
};

class SwView {
public:
    virtual ~SwView() = default;

    virtual std::shared_ptr<SwView> GetNextView() = 0;
    virtual bool GetFacettedHlrDisplay() = 0;
    virtual std::int16_t GetDisplayMode() = 0;
    virtual bool GetDisplayEdgesInShadedMode() = 0;
    virtual bool GetUseParentDisplayMode() = 0;
    virtual bool SetDisplayMode2(std::int32_t mode, bool facetted, bool edges) = 0;
    virtual bool SetDisplayMode3(bool useParent, std::int32_t mode, bool facetted, bool edges) = 0;
};

// Elements of a sheet's property array that the program reads.
inline constexpr std::size_t kSheetPropertyPaperSize = 0;
inline constexpr std::size_t kSheetPropertyWidth = 5;
inline constexpr std::size_t kSheetPropertyHeight = 6;

class SwSheet {
public:
    virtual ~SwSheet() = default;

    virtual std::string GetName() = 0;
    // Element 0 paper size code, 5 width and 6 height in metres (see the constants above).
    virtual std::vector<double> GetProperties() = 0;
};

class SwPageSetup {
public:
    virtual ~SwPageSetup() = default;

    virtual std::int32_t PrinterPaperSize() = 0;
    virtual void PrinterPaperSize(std::int32_t paperCode) = 0;
    virtual std::int32_t Orientation() = 0; // 1 portrait, 2 landscape
    virtual void Orientation(std::int32_t orientation) = 0;
    virtual std::int16_t DrawingColor() = 0;
    virtual void DrawingColor(std::int16_t color) = 0;
    virtual bool SetHeader(
        const std::string& left, const std::string& center, const std::string& right)
        = 0;
    virtual bool SetFooter(
        const std::string& left, const std::string& center, const std::string& right)
        = 0;
};

// The PDF export data that GetExportFileData hands out.
class SwExportPdfData {
public:
    virtual ~SwExportPdfData() = default;

    virtual bool SetSheets(std::int32_t which, const std::vector<std::string>& sheetNames) = 0;
    virtual std::vector<std::string> GetSheets() = 0;
    virtual bool ExportAs3D() = 0;
    virtual void ExportAs3D(bool on) = 0;
};

class SwModelDocExtension {
public:
    virtual ~SwModelDocExtension() = default;

    virtual std::int32_t UsePageSetup() = 0;
    virtual void UsePageSetup(std::int32_t source) = 0;
    // exportData may be null. True on success; errors and warnings are filled either way.
    virtual bool SaveAs(const std::string& path, std::int32_t version, std::int32_t options,
        SwExportPdfData* exportData, std::int32_t& errors, std::int32_t& warnings)
        = 0;
};

class SwDocument : public SwUserPreferences {
public:
    virtual std::int32_t GetType() = 0;
    virtual std::string GetTitle() = 0;
    virtual std::string GetPathName() = 0;

    virtual void PrintOut2(std::int32_t fromPage, std::int32_t toPage, std::int32_t copies,
        bool collate, const std::string& printer, double scale, bool printToFile,
        const std::string& printToFileName)
        = 0;
    // 0 on success, else a SolidWorks error code.
    virtual std::int32_t SaveAs2(
        const std::string& path, std::int32_t version, bool saveAsCopy, bool silent)
        = 0;
    virtual bool SaveAs4(const std::string& path, std::int32_t version, std::int32_t options,
        std::int32_t& errors, std::int32_t& warnings)
        = 0;

    virtual std::shared_ptr<SwPageSetup> PageSetup() = 0;
    virtual std::shared_ptr<SwModelDocExtension> Extension() = 0;
    virtual std::string Printer() = 0;
    virtual void Printer(const std::string& printerName) = 0;
    // Indexed property of older revisions: index 0 paper code, index 1 orientation.
    virtual std::int32_t PrintSetup(std::int32_t index) = 0;
    virtual void PrintSetup(std::int32_t index, std::int32_t value) = 0;

    // Drawings only; other documents answer 0, nothing or an empty list.
    virtual std::int32_t GetSheetCount() = 0;
    virtual std::vector<std::string> GetSheetNames() = 0;
    virtual std::shared_ptr<SwSheet> GetCurrentSheet() = 0;
    virtual bool ActivateSheet(const std::string& name) = 0;
    virtual std::shared_ptr<SwView> GetFirstView() = 0;

    virtual std::vector<std::string> GetConfigurationNames() = 0;
};

// Ends the SolidWorks process an application object runs in; true when it is gone. Any
// thread may call it, also while a call to that SolidWorks is under way, which then fails
// with an AutomationError.
using ProcessEnder = std::function<bool()>;

class SwApplication : public SwUserPreferences {
public:
    virtual bool Visible() = 0;
    virtual void Visible(bool visible) = 0;
    virtual bool UserControl() = 0;
    virtual void UserControl(bool userControl) = 0;
    virtual std::string RevisionNumber() = 0;

    // Nothing when the open failed; errors tells why.
    virtual std::shared_ptr<SwDocument> OpenDoc2(const std::string& fileName, std::int32_t type,
        bool& readOnly, bool& viewOnly, bool silent, std::int32_t& errors)
        = 0;
    virtual std::shared_ptr<SwDocument> ActivateDoc(const std::string& name) = 0;
    virtual std::shared_ptr<SwDocument> ActiveDoc() = 0;
    virtual void CloseDoc(const std::string& title) = 0;
    virtual void ExitApp() = 0;
    virtual bool RunMacro(
        const std::string& fileName, const std::string& module, const std::string& procedure)
        = 0;

    virtual std::string ActivePrinter() = 0;
    virtual void ActivePrinter(const std::string& printerName) = 0;
    virtual std::int32_t LoadAddIn(const std::string& fileName) = 0;
    virtual std::shared_ptr<SwExportPdfData> GetExportFileData(std::int32_t fileType) = 0;

    // How to end this SolidWorks from outside (through GetProcessID where SolidWorks is a
    // process of its own). Asked on the thread that uses the object, before a document.
    virtual ProcessEnder GetProcessEnder() = 0;
};

// Creates the application object for a ProgID ("SldWorks.Application" plus a version
// suffix) and knows which ProgIDs the machine has registered.
class Connector {
public:
    virtual ~Connector() = default;

    // Throws AutomationError when the object cannot be created.
    virtual std::shared_ptr<SwApplication> createApplication(const std::string& progId) = 0;
    virtual bool isRegistered(const std::string& progId) = 0;
    // Whether an application this connector gave still reaches its running SolidWorks and
    // may be used on the calling thread, found out without a member call SolidWorks would
    // count. False when that cannot be told; the caller then connects anew.
    virtual bool stillRunning(const SwApplication& /*application*/) { return false; }
    // Called first on a thread other than the creating one that is to create and use
    // applications; the thread keeps what it returns (on Windows a COM apartment of its
    // own) until it is done with them.
    virtual std::shared_ptr<void> prepareThread() { return {}; }
};

} // namespace quorrix::engine
