#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "engine/settings/settings_schema.h"

using namespace quorrix::engine;

namespace {

std::vector<std::string> names()
{
    std::vector<std::string> out;
    for (const SettingDefinition& s : settingsSchema())
        out.push_back(s.name);
    return out;
}

// True when the names follow each other directly in the list.
bool adjacent(const std::vector<std::string>& list, const std::string& a, const std::string& b)
{
    const auto it = std::find(list.begin(), list.end(), a);
    return it != list.end() && it + 1 != list.end() && *(it + 1) == b;
}

} // namespace

TEST(SettingsSchema, RegistryOrderAndSlotNames)
{
    const auto list = names();
    EXPECT_EQ(list.front(), "Language");
    EXPECT_EQ(list.back(), "DocumentTimeLimit");
    EXPECT_EQ(list.size(), 8u + 15 * 14 + 3 + 14 + 4 + 5 + 40 + 14 + 30 + 4 + 6 + 10 + 30 + 5);
    const std::pair<const char*, const char*> joints[] = {
        { "ShutdownEveryXXDrawingValue", "PrinterNameForSize0" },
        { "PrinterLines0UsePrinterLines", "PrinterLines0ThinLineWeight" },
        { "PrinterSheetSizeHeight0", "PrinterNameForSize1" },
        { "PrinterSheetSizeHeight14", "PrinterSheetSizeUseCustom" },
        { "PrinterClearHeaderFooter", "TiffScreenOrPrintCapture" },
        { "TiffSaveEachSheetOwnSize", "TiffClearHeaderFooter" },
        { "TiffSaveFullPathName", "DXFSaveInDrawingFolder" },
        { "FilterNotContain1", "FilterNameFilterContain00" },
        { "FilterNameFilterNotContain19", "FilterNameIndex" },
        { "EDrawingsProUseSheetnameFilter", "PreviewBitmap" },
        { "RunMacroIndex", "RunMacroFilePathName0" },
        { "RunMacroProcedureName9", "ExpDocSaveInModelFolder" },
        { "MultiJobPreTypeParam2", "MultiJobAction0" },
        { "PrePostIgnoreSWXFilename9", "PrePostIndex" },
    };
    for (const auto& [a, b] : joints)
        EXPECT_TRUE(adjacent(list, a, b)) << a << " -> " << b;
    for (const char* name : { "PrinterLines12UsePrinterLines", "PrinterNameForSize14",
             "FilterNameFilterContain04", "TiffprintScaleFactor", "3DSaveFormat" })
        EXPECT_NE(findSetting(name), nullptr) << name;
    for (const char* name :
        { "PrinterNameForSize15", "FilterNameFilterContain010", "MultiJobPreType3" })
        EXPECT_EQ(findSetting(name), nullptr) << name;
    EXPECT_EQ(std::set<std::string>(list.begin(), list.end()).size(), list.size());
}

TEST(SettingsSchema, Defaults)
{
    const Settings s = defaultSettings();
    const std::map<std::string, std::string> expected = {
        { "Language", "1" },
        { "ShowOnlyDrawings", "-1" },
        { "ShowOnlyModels", "-1" },
        { "AlwaysOnTop", "0" },
        { "PrinterUseOnlyDefault", "-1" },
        { "PrinterSheetForSize3", "-1" },
        { "PrinterScaleForSize3", "0" },
        { "PrinterLines7ThinLineWeight", "0.00025" },
        { "PrinterLines14Thick6LineWeight", "0.004" },
        { "PrinterSheetSizeWidth0", "0.2794" },
        { "PrinterSheetSizeHeight11", "0.841" },
        { "PrinterSheetSizeWidth12", "0" },
        { "TiffCompressionScheme", "2" },
        { "TiffPrintDPI", "300" },
        { "TiffPrintPaperSize", "8" },
        { "TiffprintScaleFactor", "100" },
        { "TiffPrintPaperWidth", "100" },
        { "3DSaveFormat", "igs" },
        { "ExpDocSaveFormat", "pdf" },
        { "EDrawingsSaveShaded", "1" },
        { "MultiJobPreType2", "-" },
        { "MultiJobAction9", "-" },
        { "RunMacroIndex", "0" },
    };
    for (const auto& [name, text] : expected)
        EXPECT_EQ(settingText(*findSetting(name), s, '.'), text) << name;
    EXPECT_EQ(s.DrawingColor, 0);
}

TEST(SettingsSchema, SettingsFileLayout)
{
    const auto& layout = settingsFileLayout();
    std::vector<std::string> sections;
    for (const auto& k : layout) {
        if (sections.empty() || sections.back() != k.section)
            sections.push_back(k.section);
    }
    std::vector<std::string> expectedSections = { "PrinterDefault" };
    for (int n = 0; n < 15; ++n)
        expectedSections.push_back("Printer" + std::to_string(n));
    for (const char* s : { "TIFF", "DXF", "Filter", "Export3D", "ExportEDrawings", "RunMacro",
             "ExportDoc", "Misc", "MultiJob" })
        expectedSections.push_back(s);
    EXPECT_EQ(sections, expectedSections);

    std::vector<std::string> keys;
    for (const auto& k : layout)
        keys.push_back(k.section + "/" + k.key);
    EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 6),
        (std::vector<std::string> { "PrinterDefault/UseOtherForPrinting",
            "PrinterDefault/PrinterUseOnlyDefault", "PrinterDefault/PrinterClearHeaderFooter",
            "PrinterDefault/ShutdownWhenDone", "PrinterDefault/ShutdownEveryXXDrawingValue",
            "Printer0/PrinterNameForSize0" }));
    EXPECT_TRUE(adjacent(
        keys, "Printer14/PrinterSheetSizeHeight14", "Printer14/PrinterSheetSizeUseCustom"));
    EXPECT_TRUE(adjacent(keys, "TIFF/TiffSaveEachSheetOwnSize", "TIFF/TiffSaveInDrawingFolder"));
    EXPECT_TRUE(adjacent(keys, "TIFF/TiffSaveInDrawingFolder", "TIFF/TiffClearHeaderFooter"));
    EXPECT_TRUE(adjacent(keys, "Misc/PreviewBitmap", "Misc/SuppressWarning"));
    EXPECT_TRUE(adjacent(keys, "Misc/SuppressWarning", "Misc/AutoConvertViews"));
    EXPECT_TRUE(adjacent(keys, "Filter/FilterNameFilterNotContain19", "Filter/FilterNameIndex"));
    EXPECT_TRUE(adjacent(keys, "MultiJob/MultiJobPreTypeParam", "MultiJob/MultiJobPreType0"));
    EXPECT_EQ(keys.back(), "MultiJob/MultiJobAction9");

    // Every setting but the registry-only ones is written exactly once.
    std::map<std::string, int> written;
    for (const auto& k : layout) {
        if (k.mode != KeyMode::ReadOnly && k.key != "UseOtherForPrinting")
            ++written[k.setting->name];
    }
    const std::set<std::string> registryOnly
        = { "Language", "AlwaysOnTop", "ShowOnlyDrawings", "ShowOnlyModels", "PrintlistReverse" };
    for (const SettingDefinition& definition : settingsSchema()) {
        const int expected = registryOnly.count(definition.name) ? 0 : 1;
        EXPECT_EQ(written[definition.name], expected) << definition.name;
    }
}

TEST(SettingsSchema, StoredTextsConvertLikeTheProgramAlwaysDid)
{
    struct Row {
        const char* setting;
        const char* text;
        TextSource source;
        const char* expected; // nullptr: the text does not convert and the field keeps its value
    };
    const auto R = TextSource::Registry;
    const auto F = TextSource::SettingsFile;
    const Row rows[] = {
        { "PrinterUseOnlyDefault", "Wahr", R, "-1" },
        { "PrinterUseOnlyDefault", "Falsch", R, "0" },
        { "PrinterUseOnlyDefault", "yes", R, "0" },
        { "PrinterUseOnlyDefault", "0", R, "0" },
        { "PrinterUseOnlyDefault", "True", R, "-1" },
        { "PrinterUseOnlyDefault", "7", R, "-1" },
        { "PrinterUseOnlyDefault", "yes", F, nullptr },
        { "PrinterUseOnlyDefault", "False", F, "0" },
        { "AlwaysOnTop", "True", R, "-1" },
        { "AlwaysOnTop", "-1", R, "-1" },
        { "AlwaysOnTop", "false", R, "0" },
        { "AlwaysOnTop", "1", R, "-1" },
        { "AlwaysOnTop", "Wahr", R, nullptr },
        { "TiffPrintDPI", "600", R, "600" },
        { "TiffPrintDPI", "abc", R, nullptr },
        { "TiffPrintDPI", "", R, nullptr },
        { "TiffPrintDPI", "40000", R, nullptr },
        { "TiffPrintDPI", " 72 ", F, "72" },
        { "Language", "2", R, "2" },
        { "Language", "3", R, nullptr },
        { "Language", "-1", R, nullptr },
        { "FilterNameIndex", "9", F, "9" },
        { "FilterNameIndex", "10", F, nullptr },
        { "PrePostIndex", "-1", R, nullptr },
        { "RunMacroIndex", "9", R, "9" },
        { "RunMacroIndex", "40000", R, nullptr },
        { "PrinterSheetForSize0", "70000", R, "70000" },
        { "PrinterScaleForSize0", "0,5", R, "0.5" },
        { "PrinterScaleForSize0", "1.5", R, "1.5" },
        { "TiffSaveFolder", "  D:\\out ", R, "  D:\\out " },
    };
    for (const Row& r : rows) {
        Settings s = defaultSettings();
        const SettingDefinition& definition = *findSetting(r.setting);
        const std::string before = settingText(definition, s, '.');
        const bool converted = assignSetting(definition, s, r.text, '.', r.source);
        EXPECT_EQ(converted, r.expected != nullptr) << r.setting << "=" << r.text;
        EXPECT_EQ(settingText(definition, s, '.'), r.expected ? r.expected : before)
            << r.setting << "=" << r.text;
    }
}
