#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "support/output_readers.h"
#include "support/solidworks_fixture.h"
#include "swsim/sim_application.h"

namespace quorrix::swsim {
namespace {

using engine::AutomationError;
using test::readFileBytes;
using test::SolidWorksFixture;
using test::tiffSize;

constexpr const char* kTwoSheets
    = "[Document]\nTitle=bracket\nConfigurations=Default\n"
      "[Sheet.1]\nName=Front\nPaperSize=8\nWidth=0.42\nHeight=0.297\n"
      "View.1=mode=3;facetted=1;edges=0;useparent=1\n"
      "[Sheet.2]\nName=Detail\nPaperSize=6\nWidth=0.297\nHeight=0.21\n";

TEST(SimulatorTest, OpensDocumentsOfItsFormatAndAnyOtherFile)
{
    SolidWorksFixture sw;
    auto drawing = sw.open(sw.document("bracket.SLDDRW", kTwoSheets), engine::kSwDocDrawing);
    ASSERT_TRUE(drawing);
    EXPECT_EQ(drawing->GetTitle(), "bracket");
    EXPECT_EQ(drawing->GetSheetNames(), (std::vector<std::string> { "Front", "Detail" }));
    EXPECT_TRUE(drawing->ActivateSheet("Detail"));
    EXPECT_EQ(drawing->GetCurrentSheet()->GetProperties().at(5), 0.297);

    auto part = sw.open(sw.document("real.SLDPRT", std::string("\0\x01binary", 8)), 1);
    ASSERT_TRUE(part);
    EXPECT_EQ(part->GetTitle(), "real.SLDPRT");
    EXPECT_EQ(part->GetConfigurationNames(), std::vector<std::string> { "Default" });
    EXPECT_EQ(sw.connection.swApp()->ActiveDoc(), part);

    bool readOnly = true;
    bool viewOnly = false;
    std::int32_t errors = 0;
    auto& app = *sw.connection.swApp();
    EXPECT_FALSE(app.OpenDoc2(sw.dir.file("missing.SLDDRW"), 3, readOnly, viewOnly, true, errors));
    EXPECT_EQ(errors, engine::kSwFileNotFoundError);
    EXPECT_FALSE(app.OpenDoc2(sw.document("x.SLDASM"), 1, readOnly, viewOnly, true, errors));
    EXPECT_NE(errors, 0); // opened as the wrong type
    EXPECT_FALSE(app.OpenDoc2(sw.document("e.SLDPRT", "[Document]\n[Faults]\nOpenError=10\n"), 1,
        readOnly, viewOnly, true, errors));
    EXPECT_EQ(errors, 10);
    EXPECT_EQ(app.ActivateDoc(sw.dir.file("BRACKET.slddrw")), drawing);
}

TEST(SimulatorTest, ClosedDocumentsAndEndedInstancesRaise)
{
    SolidWorksFixture sw;
    auto drawing = sw.open(sw.document("a.SLDDRW"), engine::kSwDocDrawing);
    auto part = sw.open(sw.document("b.SLDPRT"), engine::kSwDocPart);
    sw.connection.swApp()->CloseDoc("b.SLDPRT");
    EXPECT_THROW(part->GetTitle(), AutomationError);
    EXPECT_EQ(sw.connection.swApp()->ActiveDoc(), drawing);
    sw.connection.swApp()->ExitApp();
    EXPECT_THROW(drawing->GetType(), AutomationError);
    EXPECT_EQ(sw.sim.application(), nullptr);
}

TEST(SimulatorTest, InjectedFaultsHitTheNamedMembers)
{
    SolidWorksFixture sw;
    const std::string path = sw.document("f.SLDDRW",
        std::string(kTwoSheets)
            + "[Faults]\nActivateSheet=Detail\nRaise=PrintOut2\nRaiseOnce=GetSheetCount\n"
              "Delay=ActivateSheet:300\nSaveError=7\nNoExportData=1\n");
    auto drawing = sw.open(path, engine::kSwDocDrawing);
    EXPECT_FALSE(drawing->ActivateSheet("Detail"));
    EXPECT_TRUE(drawing->ActivateSheet("Front"));
    EXPECT_EQ(sw.clock.sleeps, (std::vector<int> { 300, 300 }));
    EXPECT_THROW(drawing->PrintOut2(1, 1, 1, false, "", 1, false, ""), AutomationError);
    EXPECT_THROW(drawing->PrintOut2(1, 1, 1, false, "", 1, false, ""), AutomationError);
    EXPECT_THROW(drawing->GetSheetCount(), AutomationError);
    EXPECT_EQ(drawing->GetSheetCount(), 2);
    EXPECT_EQ(drawing->SaveAs2(sw.dir.file("out.pdf"), 0, true, false), 7);
    EXPECT_FALSE(std::filesystem::exists(sw.dir.file("out.pdf")));
    EXPECT_EQ(sw.connection.swApp()->GetExportFileData(1), nullptr);
    EXPECT_EQ(sw.calls("PrintOut2").front(),
        "Document[bracket].PrintOut2(1, 1, 1, False, \"\", 1, False, \"\") -> raised -2147417851");
}

TEST(SimulatorTest, CrashAfterOpensRaisesUntilTheNextConnect)
{
    SolidWorksFixture sw;
    sw.sim.installation().crashAfterOpens = 1;
    ASSERT_TRUE(sw.open(sw.document("a.SLDPRT"), engine::kSwDocPart));
    EXPECT_THROW(sw.open(sw.document("b.SLDPRT"), engine::kSwDocPart), AutomationError);
    EXPECT_THROW(sw.connection.swApp()->RevisionNumber(), AutomationError);
    ASSERT_TRUE(sw.connection.ConnectSolidWorks());
    EXPECT_EQ(sw.connection.swApp()->RevisionNumber(), "30.0.0");
    EXPECT_EQ(sw.connection.swApp()->ActiveDoc(), nullptr); // a new instance
}

TEST(SimulatorTest, PreferencesAreRangeCheckedAndLineWeightsBelongToDrawingsFrom2009)
{
    SolidWorksFixture sw;
    sw.connection.ConnectSolidWorks();
    auto& app = *sw.connection.swApp();
    EXPECT_FALSE(app.SetUserPreferenceIntegerValue(9, 0));
    EXPECT_FALSE(app.SetUserPreferenceIntegerValue(10, 13));
    EXPECT_FALSE(app.SetUserPreferenceDoubleValue(48, -0.001));
    EXPECT_TRUE(app.SetUserPreferenceIntegerValue(4711, -5)); // unknown ids take anything

    auto drawing
        = sw.open(sw.document("a.SLDDRW", "[Document]\n[Preferences]\nDouble.49=0.0001\n"), 3);
    EXPECT_EQ(drawing->GetUserPreferenceDoubleValue(49), 0.0001);
    EXPECT_TRUE(drawing->SetUserPreferenceDoubleValue(48, 0.0009));
    EXPECT_NE(app.GetUserPreferenceDoubleValue(48), 0.0009);

    sw.sim.installation().revision = "16.0.0";
    auto old = sw.open(sw.document("b.SLDDRW"), 3);
    EXPECT_TRUE(old->SetUserPreferenceDoubleValue(48, 0.0009));
    EXPECT_EQ(app.GetUserPreferenceDoubleValue(48), 0.0009);
}

TEST(SimulatorTest, SavesWriteRealFilesOfTheRequestedFormat)
{
    SolidWorksFixture sw;
    auto drawing = sw.open(sw.document("bracket.SLDDRW", kTwoSheets), engine::kSwDocDrawing);
    auto& app = *sw.connection.swApp();

    ASSERT_EQ(drawing->SaveAs2(sw.dir.file("all.pdf"), 0, true, false), 0);
    EXPECT_EQ(test::parsePdf(readFileBytes(sw.dir.file("all.pdf"))).size(), 2u);

    auto data = app.GetExportFileData(1);
    ASSERT_TRUE(data);
    ASSERT_TRUE(data->SetSheets(1, { "Detail" }));
    std::int32_t errors = -1;
    std::int32_t warnings = -1;
    ASSERT_TRUE(
        drawing->Extension()->SaveAs(sw.dir.file("one.pdf"), 0, 0, data.get(), errors, warnings));
    const auto pages = test::parsePdf(readFileBytes(sw.dir.file("one.pdf")));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].content.find("(Detail) Tj"), std::string::npos);
    ASSERT_TRUE(data->SetSheets(1, {}));
    EXPECT_FALSE(
        drawing->Extension()->SaveAs(sw.dir.file("none.pdf"), 0, 0, data.get(), errors, warnings));

    // TIFF: the preferences in force decide the size; A4 landscape at 100 dpi.
    ASSERT_TRUE(app.SetUserPreferenceIntegerValue(9, 100));
    ASSERT_TRUE(app.SetUserPreferenceIntegerValue(10, 6));
    ASSERT_EQ(drawing->SaveAs2(sw.dir.file("sheet.tif"), 0, true, false), 0);
    EXPECT_EQ(tiffSize(readFileBytes(sw.dir.file("sheet.tif"))), std::make_pair(1169u, 827u));
    // The user size in metres; a length in millimetres is refused.
    ASSERT_TRUE(app.SetUserPreferenceIntegerValue(10, 12));
    EXPECT_FALSE(app.SetUserPreferenceDoubleValue(9, 254.0));
    ASSERT_TRUE(app.SetUserPreferenceDoubleValue(9, 0.254));
    ASSERT_TRUE(app.SetUserPreferenceDoubleValue(8, 0.0508));
    ASSERT_EQ(drawing->SaveAs2(sw.dir.file("user.tif"), 0, true, false), 0);
    EXPECT_EQ(tiffSize(readFileBytes(sw.dir.file("user.tif"))), std::make_pair(1000u, 200u));

    ASSERT_TRUE(drawing->ActivateSheet("Front"));
    ASSERT_EQ(drawing->SaveAs2(sw.dir.file("front.dxf"), 0, true, false), 0);
    EXPECT_NE(readFileBytes(sw.dir.file("front.dxf")).find("Front"), std::string::npos);
    ASSERT_EQ(drawing->SaveAs2(sw.dir.file("front.dwg"), 0, true, false), 0);
    EXPECT_NE(readFileBytes(sw.dir.file("front.dwg")).find("DWG"), std::string::npos);

    EXPECT_NE(drawing->SaveAs2(sw.dir.file("no-folder") + "/x.pdf", 0, true, false), 0);
}

TEST(SimulatorTest, EDrawingsSelectionNeedsProfessional)
{
    SolidWorksFixture sw;
    auto assembly
        = sw.open(sw.document("a.SLDASM", "[Document]\nConfigurations=Default,Variant\n"), 2);
    auto& app = *sw.connection.swApp();
    ASSERT_TRUE(app.SetUserPreferenceIntegerValue(237, 3));
    ASSERT_TRUE(app.SetUserPreferenceStringListValue(1, "Variant\n"));
    std::int32_t errors = 0;
    std::int32_t warnings = 0;
    EXPECT_FALSE(assembly->SaveAs4(sw.dir.file("a.easm"), 0, 1, errors, warnings));
    EXPECT_EQ(errors, 1024);
    sw.sim.installation().eDrawingsProfessional = true;
    ASSERT_TRUE(assembly->SaveAs4(sw.dir.file("a.easm"), 0, 1, errors, warnings));
    const std::string text = readFileBytes(sw.dir.file("a.easm"));
    EXPECT_NE(text.find("Variant"), std::string::npos);
    EXPECT_EQ(text.find("Default"), std::string::npos);
}

TEST(SimulatorTest, PrintsGoToTheSpoolWithTheSettingsInForce)
{
    SolidWorksFixture sw;
    sw.sim.installation().spoolPath = sw.dir.file("spool.jsonl");
    sw.sim.installation().activePrinter = "Office";
    auto drawing = sw.open(sw.document("d.SLDDRW"), engine::kSwDocDrawing);
    drawing->PrintOut2(1, 1, 1, false, "", 0, false, "");
    drawing->Printer("Plotter \"A0\"");
    auto setup = drawing->PageSetup();
    setup->PrinterPaperSize(8);
    setup->Orientation(2);
    setup->DrawingColor(3);
    setup->SetHeader("", "", "");
    setup->SetFooter("", "", "");
    drawing->PrintOut2(1, 1, 1, false, "", 1.5, false, "");
    std::string document = sw.dir.file("d.SLDDRW"); // as a JSON string
    for (std::size_t at = 0; (at = document.find('\\', at)) != std::string::npos; at += 2)
        document.insert(at, 1, '\\');
    EXPECT_EQ(readFileBytes(sw.dir.file("spool.jsonl")),
        "{\"time\":\"2026-12-05T14:03:09\",\"document\":\"" + document
            + "\",\"from\":1,\"to\":1,\"copies\":1,\"printer\":\"Office\",\"paper\":-1,"
              "\"orientation\":0,\"scale\":0,\"headerFooterCleared\":false,\"drawingColor\":0,"
              "\"lineWeights\":[0.00018,0.00025,0.00035,0.0005,0.0007,0.001,0.0014,0.002]}\n"
              "{\"time\":\"2026-12-05T14:03:09\",\"document\":\""
            + document
            + "\",\"from\":1,\"to\":1,\"copies\":1,\"printer\":\"Plotter \\\"A0\\\"\","
              "\"paper\":8,\"orientation\":2,\"scale\":1.5,\"headerFooterCleared\":true,"
              "\"drawingColor\":3,\"lineWeights\":[0.00018,0.00025,0.00035,0.0005,0.0007,"
              "0.001,0.0014,0.002]}\n");
}

// Streaming only (as the programs run the stand-in) writes the same lines and keeps none.
TEST(SimulatorTest, JournalFileHasOneLinePerCall)
{
    for (const bool recording : { true, false }) {
        SolidWorksFixture sw;
        sw.sim.journal().setRecording(recording);
        sw.sim.journal().setFilePath(sw.dir.file("calls.log"));
        sw.connection.ConnectSolidWorks();
        EXPECT_EQ(readFileBytes(sw.dir.file("calls.log")),
            "Connector.CreateObject(\"SldWorks.Application\") -> new instance\n"
            "SldWorks.Visible=(True)\n"
            "SldWorks.UserControl=(True)\n");
        EXPECT_EQ(sw.sim.journal().entries().size(), recording ? 3u : 0u);
    }
}

TEST(ConfiguredSimulatorTest, ReadsSwsimIniFromTheConfigurationFolder)
{
    if (std::getenv("QUORRIX_SWSIM_CONFIG"))
        GTEST_SKIP() << "the environment names another configuration";
    test::TempDir config;
    test::TempDir data;
    test::writeFileBytes(config.file("swsim.ini"), "[Installation]\nRevision=16.0.0\n");
    auto ports = platform::createPlatformPorts();
    test::ManualClock clock;
    auto configured = createConfiguredSimulator(*ports.files, clock, config.path(), data.path());
    EXPECT_EQ(configured->installation().revision, "16.0.0");
    EXPECT_EQ(configured->installation().spoolPath, data.file("swsim-spool.jsonl"));
}

} // namespace
} // namespace quorrix::swsim
