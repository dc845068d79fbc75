#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorrix::engine {

// A flag holds -1 (true) or 0 (false); options shown as check boxes hold 1 or 0 in Int fields.
using FlagInt = std::int16_t;
inline constexpr FlagInt kTrue = -1;
inline constexpr FlagInt kFalse = 0;

inline constexpr int kPaperSlots = 15; // sheet-size classes 0-12, TIFF 13, PDF 14
// The line-weight records of TIFF and PDF output.
inline constexpr std::size_t kTiffLineWeightSlot = 13;
inline constexpr std::size_t kPdfLineWeightSlot = 14;
inline constexpr int kLineWeights = 8;
inline constexpr int kFilterSets = 10;
inline constexpr int kMacroSlots = 10;
inline constexpr int kPreJobSlots = 3;
inline constexpr int kJobSlots = 10;
inline constexpr int kPrePostSets = 10;

// Printer line weights of one paper slot, in metres, thin to thick 6.
struct PrinterLineSettings {
    std::int16_t UsePrinterLines = 0;
    std::array<double, kLineWeights> Weights {};
};

// The four texts of a sheet-name filter: two a name must contain, two it must not.
struct FilterSet {
    std::string Contain0;
    std::string Contain1;
    std::string NotContain0;
    std::string NotContain1;
    bool operator==(const FilterSet&) const = default;
};

// Every user option of the program. Fields carry the names under which they are stored;
// their types, defaults and storage are listed once in the settings schema.
struct Settings {
    std::int16_t Language = 0;
    FlagInt AlwaysOnTop = 0;
    FlagInt ShowOnlyDrawings = 0;
    FlagInt ShowOnlyModels = 0;
    FlagInt PrintlistReverse = 0;
    std::int16_t AutoConvertViews = 0;
    FlagInt ShutdownWhenDone = 0;
    std::int16_t ShutdownEveryXXDrawingValue = 0;
    // Seconds one document may take from open to close before SolidWorks is ended and
    // started anew; 0: no limit.
    std::int32_t DocumentTimeLimit = 600;

    std::array<std::string, kPaperSlots> PrinterNameForSize;
    std::array<std::int32_t, kPaperSlots> PrinterSheetForSize {};
    std::array<double, kPaperSlots> PrinterScaleForSize {};
    std::array<PrinterLineSettings, kPaperSlots> PrinterLines {};
    std::array<double, kPaperSlots> PrinterSheetSizeWidth {};
    std::array<double, kPaperSlots> PrinterSheetSizeHeight {};
    FlagInt PrinterSheetSizeUseCustom = 0;
    FlagInt PrinterUseOnlyDefault = 0;
    std::int16_t PrinterClearHeaderFooter = 0;

    std::int16_t TiffScreenOrPrintCapture = 0;
    std::int16_t TiffImageType = 0;
    std::int16_t TiffCompressionScheme = 0;
    std::int16_t TiffPrintDPI = 0;
    std::int16_t TiffPrintPaperSize = 0;
    std::int16_t TiffprintScaleFactor = 0;
    std::int16_t TiffPrintScaleToFit = 0;
    double TiffPrintPaperWidth = 0; // millimetres
    double TiffPrintPaperHeight = 0; // millimetres
    std::int16_t TiffSaveEachSheetOwnSize = 0;
    std::int16_t TiffClearHeaderFooter = 0;
    std::int16_t TiffSaveInDrawingFolder = 0;
    std::string TiffSaveFolder;
    std::int16_t TiffSaveFullPathName = 0;

    std::int16_t DXFSaveInDrawingFolder = 0;
    std::string DXFSaveFolder;
    std::int16_t DXFSaveFullPathName = 0;
    std::int16_t DXFSWXMultiDXF = 0;

    std::int16_t FilterActive = 0;
    std::array<FilterSet, kFilterSets> FilterNameFilter;
    std::int16_t FilterNameIndex = 0;

    std::int16_t ThreeDSaveInModelFolder = 0; // stored as 3DSaveInModelFolder
    std::string ThreeDSaveFolder; // stored as 3DSaveFolder
    std::string ThreeDSaveFormat; // stored as 3DSaveFormat

    std::int16_t EDrawingsSaveInModelFolder = 0;
    std::string EDrawingsSaveFolder;
    std::int16_t EDrawingsMeasure = 0;
    std::int16_t EDrawingsCompress = 0;
    std::int16_t EDrawingsSave2STL = 0;
    std::int16_t EDrawingsSaveShaded = 0;
    std::int16_t EDrawingsProUseSheetnameFilter = 0;

    std::int16_t PreviewBitmap = 0;
    std::int16_t SuppressWarnings = 0;

    std::int32_t RunMacroIndex = 0;
    std::array<std::string, kMacroSlots> RunMacroFilePathName;
    std::array<std::string, kMacroSlots> RunMacroModuleName;
    std::array<std::string, kMacroSlots> RunMacroProcedureName;

    std::int16_t ExpDocSaveInModelFolder = 0;
    std::string ExpDocSaveFolder;
    std::string ExpDocSaveFormat;
    std::int16_t ExpDocExport3DPDF = 0;
    // After a run, every PDF it wrote goes into one more file, named by ExpDocCombinedName
    // through the output naming rules, in the document export's folder.
    std::int16_t ExpDocCombinePdf = 0;
    std::string ExpDocCombinedName;

    std::array<std::string, kPreJobSlots> MultiJobPreType;
    std::array<std::string, kPreJobSlots> MultiJobPreTypeParam;
    std::array<std::string, kJobSlots> MultiJobAction;

    std::array<std::string, kPrePostSets> PrePostPrefix;
    std::array<std::string, kPrePostSets> PrePostPostfix;
    std::array<std::int16_t, kPrePostSets> PrePostIgnoreSWXFilename {};
    std::int16_t PrePostIndex = 0;
    std::int16_t PrePostUseit = 0;

    std::int16_t LoggingActive = 0;
    std::string UseSolidWorksVersion;
    // Folders separated by ";" where a component's drawing is looked for when none lies
    // beside the component.
    std::string DrawingSearchFolders;

    // Kept for the session only, never stored.
    std::int16_t DrawingColor = 0; // forced drawing colour 0 to 3
    FilterSet ActiveFilter; // the selected filter set, as the sheet loop tests it

    // Copies the selected filter set into the active filter.
    void selectActiveFilter()
    {
        if (FilterNameIndex >= 0 && FilterNameIndex < kFilterSets)
            ActiveFilter = FilterNameFilter[static_cast<std::size_t>(FilterNameIndex)];
    }
};

// Usage counters kept across runs: documents and drawing sheets processed.
struct UsageCounters {
    std::int32_t ProcessedDrawings = 0;
    std::int32_t ProcessedSheets = 0;
};

} // namespace quorrix::engine
