#include <gtest/gtest.h>

#include "engine/swlink/printer_lines.h"
#include "support/solidworks_fixture.h"

namespace quorrix::engine {
namespace {

using test::SolidWorksFixture;

PrinterLineSettings lines(double first)
{
    PrinterLineSettings record = defaultPrinterLineSettings();
    record.Weights[0] = first;
    return record;
}

// Which object received the line-weight writes: "SldWorks", "Document" or nothing.
std::vector<std::string> writers(SolidWorksFixture& sw)
{
    std::vector<std::string> objects;
    for (const auto& entry : sw.sim.journal().calls("SetUserPreferenceDoubleValue"))
        objects.push_back(entry.object + " " + entry.args.at(0));
    return objects;
}

TEST(PrinterLinesTest, RevisionDecidesWhereWeightsAreWrittenUnlessSystemOptionsAreForced)
{
    struct Row {
        const char* revision;
        const char* document; // file name to open, or none
        bool result;
        const char* message; // after a start text of "x"
        const char* writer; // object of the eight writes, or none
        bool force = false; // system options whatever is active
    };
    const Row rows[] = {
        { "9.3.0", "a.SLDDRW", false, "NoValidSWXVersion", nullptr },
        { "9.4.0", "a.SLDDRW", true, "x", "SldWorks" },
        { "16.5.0", "a.SLDPRT", true, "x", "SldWorks" },
        { "17.0.0", "a.SLDDRW", true, "x", "Document" },
        { "17.0.0", "a.SLDPRT", true, "x", nullptr },
        { "30.0.0", nullptr, true, "x", nullptr },
        { "30.0.0", "a.SLDDRW", true, "", "SldWorks", true },
    };
    for (const Row& row : rows) {
        SolidWorksFixture sw;
        sw.sim.installation().revision = row.revision;
        if (row.document) {
            const std::string path = sw.document(row.document);
            ASSERT_TRUE(sw.open(path, std::string(row.document).ends_with("DRW") ? 3 : 1));
        }
        std::string message = "x";
        EXPECT_EQ((row.force ? Swx_ForceSystemPrinterLines : Swx_SetPrinterLines)(
                      sw.connection, lines(0.0003), message),
            row.result)
            << row.revision;
        EXPECT_EQ(message, row.message);
        const std::vector<std::string> written = writers(sw);
        if (row.writer == nullptr) {
            EXPECT_TRUE(written.empty()) << row.revision;
            continue;
        }
        ASSERT_EQ(written.size(), 8u) << row.revision;
        EXPECT_EQ(written.front(), std::string(row.writer) + " 48");
        EXPECT_EQ(written.back(), std::string(row.writer) + " 55");
    }
    SolidWorksFixture none;
    none.sim.installation().installed = false;
    std::string message;
    EXPECT_FALSE(Swx_ForceSystemPrinterLines(none.connection, lines(0.0003), message));
    EXPECT_EQ(message, "NoSolidWorks");
}

TEST(PrinterLinesTest, RefusedWeightsAreReportedInOrderAndTheRestStillWritten)
{
    SolidWorksFixture sw;
    sw.sim.installation().revision = "16.0.0";
    sw.sim.installation().refusedPreferences = { "53", "Double.49" };
    std::string message = "earlier line\r\n";
    EXPECT_FALSE(Swx_SetPrinterLines(sw.connection, lines(0.0003), message));
    EXPECT_EQ(message,
        "earlier line\r\n"
        "Swx_SetPrinterLines: failed to set NormalLineWeight\r\n"
        "Swx_SetPrinterLines: failed to set Thick4LineWeight\r\n");
    EXPECT_EQ(writers(sw).size(), 8u);
    EXPECT_DOUBLE_EQ(sw.connection.swApp()->GetUserPreferenceDoubleValue(48), 0.0003);

    // An automation error adds its line too; what the run collected before stays.
    sw.sim.installation().raise = { "SetUserPreferenceDoubleValue" };
    message = "earlier line\r\n";
    EXPECT_FALSE(Swx_SetPrinterLines(sw.connection, lines(0.0003), message));
    EXPECT_EQ(message.rfind("earlier line\r\nSwx_SetPrinterLines: ", 0), 0u) << message;
    EXPECT_TRUE(message.ends_with("\r\n"));
}

TEST(PrinterLinesTest, ReadingClampsDrawingWeightsAndNeedsRevision9Point4)
{
    SolidWorksFixture sw;
    // Without a document from revision 17 on, there is nothing to read.
    PrinterLineSettings read = lines(0.123);
    read.UsePrinterLines = kTrue;
    std::string status = "x";
    ASSERT_TRUE(Swx_GetPrinterLines(sw.connection, read, status));
    EXPECT_EQ(read.UsePrinterLines, kTrue);
    EXPECT_DOUBLE_EQ(read.Weights[0], 0.123);

    auto drawing = sw.open(sw.document("a.SLDDRW"), kSwDocDrawing);
    ASSERT_TRUE(drawing);
    ASSERT_TRUE(drawing->SetUserPreferenceDoubleValue(48, 0.0001));
    ASSERT_TRUE(drawing->SetUserPreferenceDoubleValue(55, 0.01));
    read = defaultPrinterLineSettings();
    read.UsePrinterLines = kTrue;
    ASSERT_TRUE(Swx_GetPrinterLines(sw.connection, read, status));
    EXPECT_EQ(status, "");
    EXPECT_EQ(read.UsePrinterLines, kFalse);
    EXPECT_DOUBLE_EQ(read.Weights[0], 0.0005);
    EXPECT_DOUBLE_EQ(read.Weights[7], 0.004);
    // The system options were not touched by the drawing's own weights.
    EXPECT_NE(sw.connection.swApp()->GetUserPreferenceDoubleValue(48), 0.0001);

    // A SolidWorks of another revision is another instance: its revision is read anew.
    sw.sim.installation().revision = "16.0.0"; // system options, not clamped
    ASSERT_TRUE(sw.connection.RestartSolidWorks());
    ASSERT_TRUE(sw.connection.swApp()->SetUserPreferenceDoubleValue(48, 0.0001));
    ASSERT_TRUE(Swx_GetPrinterLines(sw.connection, read, status));
    EXPECT_DOUBLE_EQ(read.Weights[0], 0.0001);

    sw.sim.installation().revision = "9.3.0";
    ASSERT_TRUE(sw.connection.RestartSolidWorks());
    EXPECT_FALSE(Swx_GetPrinterLines(sw.connection, read, status));
    EXPECT_EQ(status, "NoValidSWXVersion");
    sw.sim.installation().installed = false;
    EXPECT_FALSE(Swx_GetPrinterLines(sw.connection, read, status));
    EXPECT_EQ(status, "NoSolidWorks");
}

TEST(PrinterLinesTest, DialogAcceptsMillimetresFrom0Point05To4)
{
    test::FixedRegionalFormat point('.');
    test::FixedRegionalFormat comma(',');
    for (const auto& [text, valid] : { std::pair { "0.04", false }, { "0.05", true }, { "4", true },
             { "4.0001", false }, { "", false }, { "0.3mm", false } })
        EXPECT_EQ(isValidLineWeightText(text, point), valid) << text;
    EXPECT_TRUE(isValidLineWeightText("0,35", comma));

    PrinterLineTexts texts = printerLineTexts(defaultPrinterLineSettings(), comma);
    EXPECT_EQ(texts.millimetres[0], "0,25");
    EXPECT_EQ(texts.millimetres[7], "4");
    EXPECT_EQ(printerLineTexts(lines(0.00018), comma).millimetres[0], "0,18");
    texts.use = true;
    const auto back = printerLinesFromTexts(texts, comma);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->UsePrinterLines, kTrue);
    EXPECT_DOUBLE_EQ(back->Weights[0], 0.00025);
    texts.millimetres[3] = "0,04";
    EXPECT_FALSE(printerLinesFromTexts(texts, comma));
}

} // namespace
} // namespace quorrix::engine
