#include "engine/settings/settings_schema.h"

#include <map>
#include <stdexcept>

#include "engine/platform/ini_document.h"
#include "engine/platform/number_text.h"

namespace quorrix::engine {

namespace {

// Field accessors, one template per shape of field.
template <auto Member> FieldRef plain(Settings& s, std::size_t)
{
    return &(s.*Member);
}
template <auto Member> FieldRef slotted(Settings& s, std::size_t n)
{
    return &(s.*Member)[n];
}
FieldRef useLines(Settings& s, std::size_t n)
{
    return &s.PrinterLines[n].UsePrinterLines;
}
template <std::size_t W> FieldRef lineWeight(Settings& s, std::size_t n)
{
    return &s.PrinterLines[n].Weights[W];
}
template <auto Member> FieldRef filterSet(Settings& s, std::size_t n)
{
    return &(s.FilterNameFilter[n].*Member);
}
template <auto Member> FieldRef activeFilter(Settings& s, std::size_t)
{
    return &(s.ActiveFilter.*Member);
}
template <auto Member> FieldRef firstFilterSet(Settings& s, std::size_t)
{
    return &(s.FilterNameFilter[0].*Member);
}

constexpr double kSheetWidths[kPaperSlots] = { 0.2794, 0.2159, 0.4318, 0.5588, 0.8636, 1.1176,
    0.297, 0.21, 0.42, 0.594, 0.841, 1.189, 0, 0, 0 };
constexpr double kSheetHeights[kPaperSlots] = { 0.2159, 0.2794, 0.2794, 0.4318, 0.5588, 0.8636,
    0.21, 0.297, 0.297, 0.42, 0.594, 0.841, 0, 0, 0 };

using Default = std::variant<std::int32_t, double, const char*, const double*>;

struct Range {
    std::int32_t minimum;
    std::int32_t maximum;
};

// A row of the table; "#" in the name stands for the slot number.
struct Row {
    const char* name;
    FieldType type;
    FieldAccessor field;
    Default defaultValue;
    FieldAccessor readInto = nullptr;
    const Range* range = nullptr;
    bool tolerantFlag = false;
    bool readAsInt16 = false;
};

// Rows that exist once per slot are expanded slot by slot: all rows of slot 0, then of
// slot 1, and so on. A group without slots is expanded once.
struct Group {
    std::size_t slots;
    std::vector<Row> rows;
};

constexpr Range kLanguages { 0, 2 };
constexpr Range kTenSlots { 0, 9 };

using S = Settings;
using F = FieldType;

const std::vector<Group>& table()
{
    static const std::vector<Group> groups = {
        { 0,
            {
                { "Language", F::Int, plain<&S::Language>, 1, nullptr, &kLanguages },
                { "AlwaysOnTop", F::Flag, plain<&S::AlwaysOnTop>, 0 },
                { "ShowOnlyDrawings", F::Flag, plain<&S::ShowOnlyDrawings>, -1 },
                { "ShowOnlyModels", F::Flag, plain<&S::ShowOnlyModels>, -1 },
                { "PrintlistReverse", F::Flag, plain<&S::PrintlistReverse>, 0 },
                { "AutoConvertViews", F::Int, plain<&S::AutoConvertViews>, 0 },
                { "ShutdownWhenDone", F::Flag, plain<&S::ShutdownWhenDone>, 0 },
                { "ShutdownEveryXXDrawingValue", F::Int, plain<&S::ShutdownEveryXXDrawingValue>,
                    0 },
            } },
        { kPaperSlots,
            {
                { "PrinterNameForSize#", F::String, slotted<&S::PrinterNameForSize>, "" },
                { "PrinterSheetForSize#", F::Long, slotted<&S::PrinterSheetForSize>, -1 },
                { "PrinterScaleForSize#", F::Double, slotted<&S::PrinterScaleForSize>, 0.0 },
                { "PrinterLines#UsePrinterLines", F::Int, useLines, 0 },
                { "PrinterLines#ThinLineWeight", F::Double, lineWeight<0>, 0.00025 },
                { "PrinterLines#NormalLineWeight", F::Double, lineWeight<1>, 0.0005 },
                { "PrinterLines#ThickLineWeight", F::Double, lineWeight<2>, 0.0007 },
                { "PrinterLines#Thick2LineWeight", F::Double, lineWeight<3>, 0.001 },
                { "PrinterLines#Thick3LineWeight", F::Double, lineWeight<4>, 0.0014 },
                { "PrinterLines#Thick4LineWeight", F::Double, lineWeight<5>, 0.002 },
                { "PrinterLines#Thick5LineWeight", F::Double, lineWeight<6>, 0.003 },
                { "PrinterLines#Thick6LineWeight", F::Double, lineWeight<7>, 0.004 },
                { "PrinterSheetSizeWidth#", F::Double, slotted<&S::PrinterSheetSizeWidth>,
                    kSheetWidths },
                { "PrinterSheetSizeHeight#", F::Double, slotted<&S::PrinterSheetSizeHeight>,
                    kSheetHeights },
            } },
        { 0,
            {
                { "PrinterSheetSizeUseCustom", F::Flag, plain<&S::PrinterSheetSizeUseCustom>, 0 },
                { "PrinterUseOnlyDefault", F::Flag, plain<&S::PrinterUseOnlyDefault>, -1, nullptr,
                    nullptr, true },
                { "PrinterClearHeaderFooter", F::Int, plain<&S::PrinterClearHeaderFooter>, 0 },
                { "TiffScreenOrPrintCapture", F::Int, plain<&S::TiffScreenOrPrintCapture>, 1 },
                { "TiffImageType", F::Int, plain<&S::TiffImageType>, 0 },
                { "TiffCompressionScheme", F::Int, plain<&S::TiffCompressionScheme>, 2 },
                { "TiffPrintDPI", F::Int, plain<&S::TiffPrintDPI>, 300 },
                { "TiffPrintPaperSize", F::Int, plain<&S::TiffPrintPaperSize>, 8 },
                { "TiffprintScaleFactor", F::Int, plain<&S::TiffprintScaleFactor>, 100 },
                { "TiffPrintScaleToFit", F::Int, plain<&S::TiffPrintScaleToFit>, 1 },
                { "TiffPrintPaperWidth", F::Double, plain<&S::TiffPrintPaperWidth>, 100.0 },
                { "TiffPrintPaperHeight", F::Double, plain<&S::TiffPrintPaperHeight>, 100.0 },
                { "TiffSaveEachSheetOwnSize", F::Int, plain<&S::TiffSaveEachSheetOwnSize>, 1 },
                { "TiffClearHeaderFooter", F::Int, plain<&S::TiffClearHeaderFooter>, 0 },
                { "TiffSaveInDrawingFolder", F::Int, plain<&S::TiffSaveInDrawingFolder>, 1 },
                { "TiffSaveFolder", F::String, plain<&S::TiffSaveFolder>, "" },
                { "TiffSaveFullPathName", F::Int, plain<&S::TiffSaveFullPathName>, 1 },
                { "DXFSaveInDrawingFolder", F::Int, plain<&S::DXFSaveInDrawingFolder>, 1 },
                { "DXFSaveFolder", F::String, plain<&S::DXFSaveFolder>, "" },
                { "DXFSaveFullPathName", F::Int, plain<&S::DXFSaveFullPathName>, 1 },
                { "DXFSWXMultiDXF", F::Int, plain<&S::DXFSWXMultiDXF>, 0 },
                { "FilterActive", F::Int, plain<&S::FilterActive>, 0 },
                // Older versions kept one filter; it is written from the active filter and
                // read into set 0, before the sets, so a stored set 0 wins over it.
                { "FilterContain0", F::String, activeFilter<&FilterSet::Contain0>, "",
                    firstFilterSet<&FilterSet::Contain0> },
                { "FilterContain1", F::String, activeFilter<&FilterSet::Contain1>, "",
                    firstFilterSet<&FilterSet::Contain1> },
                { "FilterNotContain0", F::String, activeFilter<&FilterSet::NotContain0>, "",
                    firstFilterSet<&FilterSet::NotContain0> },
                { "FilterNotContain1", F::String, activeFilter<&FilterSet::NotContain1>, "",
                    firstFilterSet<&FilterSet::NotContain1> },
            } },
        { kFilterSets,
            {
                { "FilterNameFilterContain0#", F::String, filterSet<&FilterSet::Contain0>, "" },
                { "FilterNameFilterContain1#", F::String, filterSet<&FilterSet::Contain1>, "" },
                { "FilterNameFilterNotContain0#", F::String, filterSet<&FilterSet::NotContain0>,
                    "" },
                { "FilterNameFilterNotContain1#", F::String, filterSet<&FilterSet::NotContain1>,
                    "" },
            } },
        { 0,
            {
                { "FilterNameIndex", F::Int, plain<&S::FilterNameIndex>, 0, nullptr, &kTenSlots },
                { "3DSaveInModelFolder", F::Int, plain<&S::ThreeDSaveInModelFolder>, 1 },
                { "3DSaveFolder", F::String, plain<&S::ThreeDSaveFolder>, "" },
                { "3DSaveFormat", F::String, plain<&S::ThreeDSaveFormat>, "igs" },
                { "EDrawingsSaveInModelFolder", F::Int, plain<&S::EDrawingsSaveInModelFolder>, 1 },
                { "EDrawingsSaveFolder", F::String, plain<&S::EDrawingsSaveFolder>, "" },
                { "EDrawingsMeasure", F::Int, plain<&S::EDrawingsMeasure>, 0 },
                { "EDrawingsCompress", F::Int, plain<&S::EDrawingsCompress>, 0 },
                { "EDrawingsSave2STL", F::Int, plain<&S::EDrawingsSave2STL>, 0 },
                { "EDrawingsSaveShaded", F::Int, plain<&S::EDrawingsSaveShaded>, 1 },
                { "EDrawingsProUseSheetnameFilter", F::Int,
                    plain<&S::EDrawingsProUseSheetnameFilter>, 0 },
                { "PreviewBitmap", F::Int, plain<&S::PreviewBitmap>, 0 },
                { "SuppressWarnings", F::Int, plain<&S::SuppressWarnings>, 0 },
                { "RunMacroIndex", F::Long, plain<&S::RunMacroIndex>, 0, nullptr, &kTenSlots, false,
                    true },
            } },
        { kMacroSlots,
            {
                { "RunMacroFilePathName#", F::String, slotted<&S::RunMacroFilePathName>, "" },
                { "RunMacroModuleName#", F::String, slotted<&S::RunMacroModuleName>, "" },
                { "RunMacroProcedureName#", F::String, slotted<&S::RunMacroProcedureName>, "" },
            } },
        { 0,
            {
                { "ExpDocSaveInModelFolder", F::Int, plain<&S::ExpDocSaveInModelFolder>, 1 },
                { "ExpDocSaveFolder", F::String, plain<&S::ExpDocSaveFolder>, "" },
                { "ExpDocSaveFormat", F::String, plain<&S::ExpDocSaveFormat>, "pdf" },
                { "ExpDocExport3DPDF", F::Int, plain<&S::ExpDocExport3DPDF>, 0 },
                { "ExpDocCombinePdf", F::Int, plain<&S::ExpDocCombinePdf>, 0 },
                { "ExpDocCombinedName", F::String, plain<&S::ExpDocCombinedName>,
                    "Combined documents" },
            } },
        { kPreJobSlots,
            {
                { "MultiJobPreType#", F::String, slotted<&S::MultiJobPreType>, "-" },
                { "MultiJobPreTypeParam#", F::String, slotted<&S::MultiJobPreTypeParam>, "" },
            } },
        { kJobSlots, { { "MultiJobAction#", F::String, slotted<&S::MultiJobAction>, "-" } } },
        { kPrePostSets,
            {
                { "PrePostPrefix#", F::String, slotted<&S::PrePostPrefix>, "" },
                { "PrePostPostfix#", F::String, slotted<&S::PrePostPostfix>, "" },
                { "PrePostIgnoreSWXFilename#", F::Int, slotted<&S::PrePostIgnoreSWXFilename>, 0 },
            } },
        { 0,
            {
                { "PrePostIndex", F::Int, plain<&S::PrePostIndex>, 0, nullptr, &kTenSlots },
                { "PrePostUseit", F::Int, plain<&S::PrePostUseit>, 0 },
                { "LoggingActive", F::Int, plain<&S::LoggingActive>, 0 },
                { "UseSolidWorksVersion", F::String, plain<&S::UseSolidWorksVersion>, "" },
                { "DocumentTimeLimit", F::Long, plain<&S::DocumentTimeLimit>, 600 },
                { "DrawingSearchFolders", F::String, plain<&S::DrawingSearchFolders>, "" },
            } },
    };
    return groups;
}

std::string withSlot(std::string_view pattern, std::size_t slot)
{
    std::string out(pattern);
    const std::size_t hash = out.find('#');
    if (hash != std::string::npos)
        out.replace(hash, 1, std::to_string(slot));
    return out;
}

SettingDefinition expand(const Row& row, std::size_t slot)
{
    SettingDefinition definition;
    definition.name = withSlot(row.name, slot);
    definition.type = row.type;
    definition.field = row.field;
    definition.readInto = row.readInto ? row.readInto : row.field;
    definition.slot = slot;
    if (const auto* i = std::get_if<std::int32_t>(&row.defaultValue))
        definition.defaultValue = *i;
    else if (const auto* d = std::get_if<double>(&row.defaultValue))
        definition.defaultValue = *d;
    else if (const auto* t = std::get_if<const char*>(&row.defaultValue))
        definition.defaultValue = std::string(*t);
    else
        definition.defaultValue = std::get<const double*>(row.defaultValue)[slot];
    if (row.range) {
        definition.hasRange = true;
        definition.minimum = row.range->minimum;
        definition.maximum = row.range->maximum;
    }
    definition.tolerantFlag = row.tolerantFlag;
    definition.readAsInt16 = row.readAsInt16;
    return definition;
}

// The sections of a settings file and their keys; "#" as in the table. A key names the
// setting it carries when the two names differ.
struct FileKey {
    const char* key;
    const char* setting = nullptr;
    KeyMode mode = KeyMode::ReadWrite;
};
struct FileGroup {
    const char* section;
    std::size_t slots;
    std::vector<FileKey> keys;
};

const std::vector<FileGroup>& fileGroups()
{
    static const std::vector<FileGroup> groups = {
        { "PrinterDefault", 0,
            { { "UseOtherForPrinting", "PrinterUseOnlyDefault" }, { "PrinterUseOnlyDefault" },
                { "PrinterClearHeaderFooter" }, { "ShutdownWhenDone" },
                { "ShutdownEveryXXDrawingValue" } } },
        { "Printer#", kPaperSlots,
            { { "PrinterNameForSize#" }, { "PrinterSheetForSize#" }, { "PrinterScaleForSize#" },
                { "PrinterLines#UsePrinterLines" }, { "PrinterLines#ThinLineWeight" },
                { "PrinterLines#NormalLineWeight" }, { "PrinterLines#ThickLineWeight" },
                { "PrinterLines#Thick2LineWeight" }, { "PrinterLines#Thick3LineWeight" },
                { "PrinterLines#Thick4LineWeight" }, { "PrinterLines#Thick5LineWeight" },
                { "PrinterLines#Thick6LineWeight" }, { "PrinterSheetSizeWidth#" },
                { "PrinterSheetSizeHeight#" } } },
        { "Printer14", 0, { { "PrinterSheetSizeUseCustom" } } },
        { "TIFF", 0,
            { { "TiffScreenOrPrintCapture" }, { "TiffImageType" }, { "TiffCompressionScheme" },
                { "TiffPrintDPI" }, { "TiffPrintPaperSize" }, { "TiffprintScaleFactor" },
                { "TiffPrintScaleToFit" }, { "TiffPrintPaperWidth" }, { "TiffPrintPaperHeight" },
                { "TiffSaveEachSheetOwnSize" }, { "TiffSaveInDrawingFolder" },
                { "TiffClearHeaderFooter" }, { "TiffSaveFolder" }, { "TiffSaveFullPathName" } } },
        { "DXF", 0,
            { { "DXFSaveInDrawingFolder" }, { "DXFSaveFolder" }, { "DXFSaveFullPathName" },
                { "DXFSWXMultiDXF" } } },
        { "Filter", 0,
            { { "FilterActive" }, { "FilterContain0" }, { "FilterContain1" },
                { "FilterNotContain0" }, { "FilterNotContain1" } } },
        { "Filter", kFilterSets,
            { { "FilterNameFilterContain0#" }, { "FilterNameFilterContain1#" },
                { "FilterNameFilterNotContain0#" }, { "FilterNameFilterNotContain1#" } } },
        { "Filter", 0, { { "FilterNameIndex" } } },
        { "Export3D", 0, { { "3DSaveInModelFolder" }, { "3DSaveFolder" }, { "3DSaveFormat" } } },
        { "ExportEDrawings", 0,
            { { "EDrawingsSaveInModelFolder" }, { "EDrawingsSaveFolder" }, { "EDrawingsMeasure" },
                { "EDrawingsCompress" }, { "EDrawingsSave2STL" }, { "EDrawingsSaveShaded" },
                { "EDrawingsProUseSheetnameFilter" } } },
        { "RunMacro", 0, { { "RunMacroIndex" } } },
        { "RunMacro", kMacroSlots,
            { { "RunMacroFilePathName#" }, { "RunMacroModuleName#" },
                { "RunMacroProcedureName#" } } },
        // The export format is written for the reader's information but not taken over on
        // loading: a loaded file keeps the format the user has chosen.
        { "ExportDoc", 0,
            { { "ExpDocSaveInModelFolder" }, { "ExpDocSaveFolder" },
                { "ExpDocSaveFormat", nullptr, KeyMode::WriteOnly }, { "ExpDocExport3DPDF" },
                { "ExpDocCombinePdf" }, { "ExpDocCombinedName" } } },
        { "Misc", 0,
            { { "PreviewBitmap" }, { "SuppressWarning", "SuppressWarnings" },
                { "AutoConvertViews" } } },
        { "Misc", kPrePostSets,
            { { "PrePostPrefix#" }, { "PrePostPostfix#" }, { "PrePostIgnoreSWXFilename#" } } },
        { "Misc", 0,
            { { "PrePostIndex" }, { "PrePostUseit" }, { "LoggingActive" },
                { "UseSolidWorksVersion" }, { "DocumentTimeLimit" }, { "DrawingSearchFolders" } } },
        // Files of older versions name pre-job 0 without its number.
        { "MultiJob", 0,
            { { "MultiJobPreType", "MultiJobPreType0", KeyMode::ReadOnly },
                { "MultiJobPreTypeParam", "MultiJobPreTypeParam0", KeyMode::ReadOnly } } },
        { "MultiJob", kPreJobSlots, { { "MultiJobPreType#" }, { "MultiJobPreTypeParam#" } } },
        { "MultiJob", kJobSlots, { { "MultiJobAction#" } } },
    };
    return groups;
}

bool isNumberText(std::string_view text, char separator)
{
    return parseDouble(text, separator).has_value();
}

std::optional<FlagInt> toFlag(std::string_view text, char separator, bool tolerant)
{
    if (tolerant) {
        if (text == "Wahr" || text == "True")
            return kTrue;
        if (text == "Falsch" || text == "False")
            return kFalse;
        if (!isNumberText(text, separator))
            return kFalse;
    } else {
        const std::string trimmed = trimBlanks(text);
        if (equalsIgnoringCase(trimmed, "True"))
            return kTrue;
        if (equalsIgnoringCase(trimmed, "False"))
            return kFalse;
    }
    const auto number = parseDouble(text, separator);
    if (!number)
        return std::nullopt;
    return *number != 0 ? kTrue : kFalse;
}

bool inRange(const SettingDefinition& definition, std::int64_t value)
{
    return !definition.hasRange || (value >= definition.minimum && value <= definition.maximum);
}

} // namespace

const std::vector<SettingDefinition>& settingsSchema()
{
    static const std::vector<SettingDefinition> definitions = [] {
        std::vector<SettingDefinition> out;
        for (const Group& group : table()) {
            const std::size_t slots = group.slots == 0 ? 1 : group.slots;
            for (std::size_t slot = 0; slot < slots; ++slot) {
                for (const Row& row : group.rows)
                    out.push_back(expand(row, slot));
            }
        }
        return out;
    }();
    return definitions;
}

const SettingDefinition* findSetting(std::string_view valueName)
{
    static const std::map<std::string, const SettingDefinition*> byName = [] {
        std::map<std::string, const SettingDefinition*> out;
        for (const SettingDefinition& definition : settingsSchema())
            out.emplace(foldCase(definition.name), &definition);
        return out;
    }();
    const auto it = byName.find(foldCase(valueName));
    return it == byName.end() ? nullptr : it->second;
}

const std::vector<SettingsFileKey>& settingsFileLayout()
{
    static const std::vector<SettingsFileKey> keys = [] {
        std::vector<SettingsFileKey> out;
        for (const FileGroup& group : fileGroups()) {
            const std::size_t slots = group.slots == 0 ? 1 : group.slots;
            for (std::size_t slot = 0; slot < slots; ++slot) {
                for (const FileKey& key : group.keys) {
                    const std::string name = withSlot(key.setting ? key.setting : key.key, slot);
                    const SettingDefinition* definition = findSetting(name);
                    if (!definition)
                        throw std::logic_error("settings file key without a setting: " + name);
                    out.push_back({ withSlot(group.section, slot), withSlot(key.key, slot),
                        definition, key.mode });
                }
            }
        }
        return out;
    }();
    return keys;
}

Settings defaultSettings()
{
    Settings settings;
    for (const SettingDefinition& definition : settingsSchema()) {
        // The legacy filter texts share their defaults with the fields they stand for.
        std::visit(
            [&](auto* field) {
                using T = std::remove_pointer_t<decltype(field)>;
                if constexpr (std::is_same_v<T, std::string>)
                    *field = std::get<std::string>(definition.defaultValue);
                else if constexpr (std::is_same_v<T, double>)
                    *field = std::holds_alternative<double>(definition.defaultValue)
                        ? std::get<double>(definition.defaultValue)
                        : std::get<std::int32_t>(definition.defaultValue);
                else
                    *field = static_cast<T>(std::get<std::int32_t>(definition.defaultValue));
            },
            definition.field(settings, definition.slot));
    }
    settings.DrawingColor = 0;
    settings.selectActiveFilter();
    return settings;
}

namespace {

std::string fieldText(
    const SettingDefinition& definition, const FieldRef& ref, char decimalSeparator)
{
    switch (definition.type) {
    case FieldType::Flag:
        return *std::get<std::int16_t*>(ref) != 0 ? "-1" : "0";
    case FieldType::Int:
        return std::to_string(*std::get<std::int16_t*>(ref));
    case FieldType::Long:
        return std::to_string(*std::get<std::int32_t*>(ref));
    case FieldType::Double:
        return formatDouble(*std::get<double*>(ref), decimalSeparator);
    case FieldType::String:
        return *std::get<std::string*>(ref);
    }
    return {};
}

} // namespace

std::string settingText(
    const SettingDefinition& definition, const Settings& settings, char decimalSeparator)
{
    // The accessors hand out pointers into a mutable record; nothing is changed here.
    return fieldText(definition, definition.field(const_cast<Settings&>(settings), definition.slot),
        decimalSeparator);
}

std::string readTargetText(
    const SettingDefinition& definition, const Settings& settings, char decimalSeparator)
{
    return fieldText(definition,
        definition.readInto(const_cast<Settings&>(settings), definition.slot), decimalSeparator);
}

bool assignSetting(const SettingDefinition& definition, Settings& settings, std::string_view text,
    char decimalSeparator, TextSource source)
{
    const FieldRef ref = definition.readInto(settings, definition.slot);
    switch (definition.type) {
    case FieldType::Flag: {
        const auto flag = toFlag(
            text, decimalSeparator, definition.tolerantFlag && source == TextSource::Registry);
        if (!flag)
            return false;
        *std::get<std::int16_t*>(ref) = *flag;
        return true;
    }
    case FieldType::Int: {
        const auto value = parseInt16(text, decimalSeparator);
        if (!value || !inRange(definition, *value))
            return false;
        *std::get<std::int16_t*>(ref) = *value;
        return true;
    }
    case FieldType::Long: {
        std::optional<std::int32_t> value;
        if (definition.readAsInt16) {
            if (const auto narrow = parseInt16(text, decimalSeparator))
                value = *narrow;
        } else {
            value = parseInt32(text, decimalSeparator);
        }
        if (!value || !inRange(definition, *value))
            return false;
        *std::get<std::int32_t*>(ref) = *value;
        return true;
    }
    case FieldType::Double: {
        const auto value = parseDouble(text, decimalSeparator);
        if (!value)
            return false;
        *std::get<double*>(ref) = *value;
        return true;
    }
    case FieldType::String:
        *std::get<std::string*>(ref) = std::string(text);
        return true;
    }
    return false;
}

} // namespace quorrix::engine
