#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "engine/settings/settings_schema.h"

using namespace quorrix::engine;

TEST(SettingsSchema, SlotNamesAreTheStoredOnesAndUnique)
{
    // The last slot of each table exists, the one after it does not.
    for (const char* name : { "PrinterNameForSize14", "PrinterLines14UsePrinterLines",
             "PrinterLines0ThinLineWeight", "PrinterSheetSizeHeight14", "FilterNameFilterContain00",
             "FilterNameFilterNotContain19", "RunMacroProcedureName9", "MultiJobPreTypeParam2",
             "MultiJobAction9", "PrePostIgnoreSWXFilename9", "TiffprintScaleFactor", "3DSaveFormat",
             "DocumentTimeLimit" })
        EXPECT_NE(findSetting(name), nullptr) << name;
    for (const char* name :
        { "PrinterNameForSize15", "PrinterLines15UsePrinterLines", "FilterNameFilterContain010",
            "RunMacroFilePathName10", "MultiJobPreType3", "MultiJobAction10", "PrePostPrefix10" })
        EXPECT_EQ(findSetting(name), nullptr) << name;
    std::set<std::string> unique;
    for (const SettingDefinition& definition : settingsSchema())
        EXPECT_TRUE(unique.insert(definition.name).second) << definition.name;
}

TEST(SettingsSchema, SettingsFileWritesEverySettingButTheRegistryOnlyOnesOnce)
{
    std::map<std::string, int> written;
    for (const auto& k : settingsFileLayout()) {
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
    const Row rows[] = { { "PrinterUseOnlyDefault", "Wahr", R, "-1" },
        { "PrinterUseOnlyDefault", "Falsch", R, "0" }, { "PrinterUseOnlyDefault", "yes", R, "0" },
        { "PrinterUseOnlyDefault", "0", R, "0" }, { "PrinterUseOnlyDefault", "True", R, "-1" },
        { "PrinterUseOnlyDefault", "7", R, "-1" }, { "PrinterUseOnlyDefault", "yes", F, nullptr },
        { "PrinterUseOnlyDefault", "False", F, "0" }, { "AlwaysOnTop", "True", R, "-1" },
        { "AlwaysOnTop", "-1", R, "-1" }, { "AlwaysOnTop", "false", R, "0" },
        { "AlwaysOnTop", "1", R, "-1" }, { "AlwaysOnTop", "Wahr", R, nullptr },
        { "TiffPrintDPI", "600", R, "600" }, { "TiffPrintDPI", "abc", R, nullptr },
        { "TiffPrintDPI", "", R, nullptr }, { "TiffPrintDPI", "40000", R, nullptr },
        { "TiffPrintDPI", " 72 ", F, "72" }, { "Language", "2", R, "2" },
        { "Language", "3", R, nullptr }, { "Language", "-1", R, nullptr },
        { "FilterNameIndex", "9", F, "9" }, { "FilterNameIndex", "10", F, nullptr },
        { "PrePostIndex", "-1", R, nullptr }, { "RunMacroIndex", "9", R, "9" },
        { "RunMacroIndex", "40000", R, nullptr }, { "PrinterSheetForSize0", "70000", R, "70000" },
        { "PrinterScaleForSize0", "0,5", R, "0.5" }, { "PrinterScaleForSize0", "1.5", R, "1.5" },
        { "TiffSaveFolder", "  D:\\out ", R, "  D:\\out " } };
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
