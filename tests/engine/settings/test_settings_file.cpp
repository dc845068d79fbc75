#include <gtest/gtest.h>

#include "engine/settings/multi_language.h"
#include "engine/settings/settings_file.h"
#include "engine/settings/settings_schema.h"
#include "platform/platform_ports.h"
#include "support/fakes.h"
#include "support/settings_samples.h"
#include "support/temp_dir.h"

using namespace quorrix;
using namespace quorrix::engine;

namespace {

struct SettingsFileTest : ::testing::Test {
    platform::PlatformPorts ports = platform::createPlatformPorts();
    test::RecordingMessageBox messages;
    test::FixedRegionalFormat regional { '.' };
    clsMultiLanguage texts { *ports.files, messages };
    SettingsFiles files { texts, messages, regional };
    test::TempDir dir;
    std::string path = dir.file("plotter.qrxcfg");

    Settings loadedFrom(
        const std::string& content, bool skipMultiJob = false, Settings start = defaultSettings())
    {
        test::writeFileBytes(path, content);
        files.LoadSettingsFile(path, skipMultiJob, start);
        return start;
    }
};

} // namespace

TEST_F(SettingsFileTest, EveryValueSurvivesSaveAndLoadWithEitherDecimalSeparator)
{
    for (char separator : { '.', ',' }) {
        regional.setSeparator(separator);
        const Settings original = test::unusualSettings(100 + separator);
        ASSERT_TRUE(files.SaveNewSettingsFile(path, original, { 2026, 12, 5, 14, 3, 9, 0 }));
        Settings back = defaultSettings();
        files.LoadSettingsFile(path, false, back);
        // Kept out of settings files by design: the registry-only options and the export format.
        EXPECT_EQ(test::differingSettings(original, back),
            (std::vector<std::string> { "Language", "AlwaysOnTop", "ShowOnlyDrawings",
                "ShowOnlyModels", "PrintlistReverse", "ExpDocSaveFormat" }))
            << separator;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsFileTest, TheSaveCommandWritesTheHeaderThenTheSections)
{
    Settings s = defaultSettings();
    s.TiffPrintPaperHeight = 297.25;
    regional.setSeparator(',');
    ASSERT_TRUE(files.SaveNewSettingsFile(path, s, { 2026, 12, 5, 14, 3, 9, 0 }));
    const std::string content = test::readFileBytes(path);
    EXPECT_EQ(content.rfind("QRX Printer configuration file\r\n"
                            "generated on 05.12.2026 14:03:09\r\n"
                            "[PrinterDefault]\r\n"
                            "UseOtherForPrinting=-1\r\n",
                  0),
        0u);
    EXPECT_NE(content.find("\r\nTiffPrintPaperHeight=297,25\r\n"), std::string::npos);
    EXPECT_NE(content.find("PrinterSheetSizeHeight14=0\r\nPrinterSheetSizeUseCustom=0\r\n[TIFF]"),
        std::string::npos);
    EXPECT_NE(
        content.find("[Misc]\r\nPreviewBitmap=0\r\nSuppressWarning=0\r\nAutoConvertViews=0\r\n"),
        std::string::npos);
    EXPECT_EQ(content.find("MultiJobPreType="), std::string::npos);
    EXPECT_EQ(content.find("Language="), std::string::npos);
}

TEST_F(SettingsFileTest, SavingIntoAFileKeepsWhatElseItHolds)
{
    test::writeFileBytes(path,
        "; my plotter setup\r\n[TIFF]\r\nTiffPrintDPI=1\r\nMyNote=keep me\r\n[Mine]\r\nx=1\r\n");
    ASSERT_TRUE(files.SaveSettingsFile(path, defaultSettings()));
    const std::string content = test::readFileBytes(path);
    EXPECT_EQ(
        content.rfind("; my plotter setup\r\n[TIFF]\r\nTiffPrintDPI=300\r\nMyNote=keep me\r\n", 0),
        0u);
    EXPECT_NE(content.find("[Mine]\r\nx=1\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, KeysReadDifferentlyFromTheRegistryAndOnlyTheNamedOnesChange)
{
    Settings s = loadedFrom("[ExportDoc]\nExpDocSaveFormat=jpg\n"
                            "[Misc]\nSuppressWarning=1\nAutoConvertViews=0\nSuppressWarnings=0\n"
                            "[PrinterDefault]\nUseOtherForPrinting=0\nPrinterUseOnlyDefault=True\n"
                            "[Filter]\nFilterContain0=Blatt\nFilterNameIndex=0\n"
                            "[Printer3]\nPrinterScaleForSize3=0,5\nPrinterSheetForSize3=nine\n");
    EXPECT_EQ(s.ExpDocSaveFormat, "pdf");
    EXPECT_EQ(s.SuppressWarnings, 1);
    EXPECT_EQ(s.AutoConvertViews, 0);
    EXPECT_EQ(s.PrinterUseOnlyDefault, -1);
    EXPECT_EQ(s.FilterNameFilter[0].Contain0, "Blatt");
    EXPECT_EQ(s.ActiveFilter.Contain0, "Blatt");
    EXPECT_EQ(s.PrinterScaleForSize[3], 0.5);
    EXPECT_EQ(s.PrinterSheetForSize[3], -1);

    s = loadedFrom("[PrinterDefault]\nUseOtherForPrinting=0\n");
    EXPECT_EQ(s.PrinterUseOnlyDefault, 0);

    // A hand-made file changes only what it names, in any letter case.
    const Settings before = test::unusualSettings(5);
    const Settings after = loadedFrom("[tiff]\r\n tiffprintdpi = 600 \r\n", false, before);
    EXPECT_EQ(test::differingSettings(before, after), std::vector<std::string> { "TiffPrintDPI" });
    EXPECT_EQ(after.TiffPrintDPI, 600);
}

TEST_F(SettingsFileTest, TheMultiJobSectionCanBeLeftAlone)
{
    const std::string file
        = "[MultiJob]\nMultiJobPreType=LoadSettings\nMultiJobPreTypeParam=old.qrxcfg\n"
          "MultiJobPreTypeParam0=new.qrxcfg\nMultiJobAction4=Plot\n[TIFF]\nTiffPrintDPI=200\n";
    Settings s = loadedFrom(file);
    EXPECT_EQ(s.MultiJobPreType[0], "LoadSettings");
    EXPECT_EQ(s.MultiJobPreTypeParam[0], "new.qrxcfg");
    EXPECT_EQ(s.MultiJobAction[4], "Plot");

    s = loadedFrom(file, true);
    EXPECT_EQ(s.MultiJobPreType[0], "-");
    EXPECT_EQ(s.MultiJobAction[4], "-");
    EXPECT_EQ(s.TiffPrintDPI, 200);
}

TEST_F(SettingsFileTest, LongValuesAndDamagedFiles)
{
    Settings s = defaultSettings();
    s.TiffSaveFolder = "C:\\" + std::string(300, 'f');
    ASSERT_TRUE(files.SaveSettingsFile(path, s));
    Settings back = defaultSettings();
    files.LoadSettingsFile(path, false, back);
    EXPECT_EQ(back.TiffSaveFolder, s.TiffSaveFolder); // read whole, not cut at 255 characters

    using namespace std::string_literals;
    std::string junk
        = "\xFF\xFE\x00garbage\r\n[TIFF\r\n[TIFF]\r\n\x01\x02=\x03\r\nTiffPrintDPI=150\r\n"s;
    junk += std::string(100000, 'x') + "\r\n[DXF]\r\nDXFSaveFolder=D:\\Gr\366\337e\r\n";
    back = loadedFrom(junk);
    EXPECT_EQ(back.TiffPrintDPI, 150);
    EXPECT_EQ(back.DXFSaveFolder,
        "D:\\Gr\303\266\303\237e"); // an old ANSI file
}

TEST_F(SettingsFileTest, AMissingOrUnwritableFileIsReportedAndChangesNothing)
{
    Settings s = test::unusualSettings(9);
    files.LoadSettingsFile(dir.file("nope.qrxcfg"), false, s);
    EXPECT_EQ(test::differingSettings(s, test::unusualSettings(9)), std::vector<std::string> {});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
    // Without a language file the info texts say so.
    EXPECT_EQ(messages.shown[0].text, "INI file doesn't exists ");

    EXPECT_FALSE(files.SaveSettingsFile(dir.file("no-folder") + "/x.qrxcfg", defaultSettings()));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].title, "INIWriteSetting");
    EXPECT_EQ(messages.shown[1].text.rfind("Error: ", 0), 0u);
}
