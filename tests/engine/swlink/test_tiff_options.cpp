#include <gtest/gtest.h>

#include "engine/swlink/tiff_options.h"
#include "support/solidworks_fixture.h"

namespace quorrix::engine {
namespace {

using test::SolidWorksFixture;

TiffOptions wanted()
{
    TiffOptions options;
    options.capture = 1;
    options.imageType = 1;
    options.compression = 1;
    options.dpi = 200;
    options.paperSize = 12;
    options.scaleFactor = 50;
    options.scaleToFit = 0;
    options.paperWidth = 0.5;
    options.paperHeight = 0.25;
    return options;
}

TEST(TiffOptionsTest, WritesPresetsThenEachValueInOrder)
{
    SolidWorksFixture sw;
    test::RecordingMessageBox messages;
    std::string error = "stale";
    ASSERT_TRUE(SetTiffOptions(sw.connection, messages, wanted(), error));
    EXPECT_EQ(error, "");
    std::vector<std::string> writes;
    for (const auto& entry : sw.sim.journal().entries()) {
        if (entry.member.starts_with("SetUserPreference"))
            writes.push_back(entry.member.substr(17, 1) + entry.args[0] + "=" + entry.args[1]);
    }
    EXPECT_EQ(writes,
        (std::vector<std::string> { "I6=1", "I10=12", "T28=True", "I8=0", "I11=50", "T28=False",
            "D9=0.5", "D8=0.25", "I10=12", "I9=200", "I6=1", "I7=1", "I8=1" }));

    TiffOptions read;
    ASSERT_TRUE(GetTiffOptions(sw.connection, messages, read, error));
    EXPECT_EQ(read.dpi, 200);
    EXPECT_EQ(read.scaleToFit, 0);
    EXPECT_DOUBLE_EQ(read.paperWidth, 0.5);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(TiffOptionsTest, RefusedValuesGiveHeadingAndLinesInWriteOrder)
{
    SolidWorksFixture sw;
    sw.sim.installation().refusedPreferences = { "Integer.9", "10" };
    test::RecordingMessageBox messages;
    std::string error;
    TiffOptions options = wanted();
    options.scaleFactor = 0; // out of range
    EXPECT_FALSE(SetTiffOptions(sw.connection, messages, options, error));
    EXPECT_EQ(error,
        "Fehler beim Setzen der TIFF-Optionen\r\n"
        "TiffprintScaleFactor konnte nicht gesetzt werden\r\n"
        "TiffPrintPaperSize konnte nicht gesetzt werden\r\n"
        "TiffPrintDPI konnte nicht gesetzt werden\r\n");
}

TEST(TiffOptionsTest, ReadsSolidWorksDefaults)
{
    SolidWorksFixture sw;
    test::RecordingMessageBox messages;
    TiffOptions read;
    std::string error;
    ASSERT_TRUE(GetTiffOptions(sw.connection, messages, read, error));
    EXPECT_EQ(read.capture, 1);
    EXPECT_EQ(read.imageType, 0);
    EXPECT_EQ(read.compression, 2);
    EXPECT_EQ(read.dpi, 300);
    EXPECT_EQ(read.paperSize, 8);
    EXPECT_EQ(read.scaleFactor, 100);
    EXPECT_EQ(read.scaleToFit, -1);
    EXPECT_GT(read.paperWidth, 0.0);
}

TEST(TiffOptionsTest, WithoutSolidWorksBothTellTheUserAndFail)
{
    SolidWorksFixture sw;
    sw.sim.installation().installed = false;
    test::RecordingMessageBox messages;
    TiffOptions read = wanted();
    std::string error;
    EXPECT_FALSE(GetTiffOptions(sw.connection, messages, read, error));
    EXPECT_EQ(error, "Unbekannter Fehler");
    EXPECT_EQ(read.dpi, -1);
    EXPECT_EQ(read.scaleToFit, 0);
    EXPECT_DOUBLE_EQ(read.paperHeight, -1.0);
    EXPECT_FALSE(SetTiffOptions(sw.connection, messages, wanted(), error));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, kNoSwxInstanceMessage);
    EXPECT_EQ(messages.shown[0].title, "QUORRIX");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
}

} // namespace
} // namespace quorrix::engine
