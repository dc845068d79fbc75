#include <gtest/gtest.h>

#include <sstream>

#include "engine/swlink/tiff_options.h"
#include "support/solidworks_fixture.h"

namespace quorrix::engine {
namespace {

TiffOptions wanted()
{
    return { 1, 1, 1, 200, 12, 50, 0, 0.5, 0.25 }; // in the order of the declaration
}

// The nine values in the order of their declaration.
std::string text(const TiffOptions& o)
{
    std::ostringstream out;
    out << o.capture << ' ' << o.imageType << ' ' << o.compression << ' ' << o.dpi << ' '
        << o.paperSize << ' ' << o.scaleFactor << ' ' << o.scaleToFit << ' ' << o.paperWidth << ' '
        << o.paperHeight;
    return out.str();
}

struct TiffOptionsTest : ::testing::Test {
    test::SolidWorksFixture sw;
    test::RecordingMessageBox messages;
    TiffOptions read;
    std::string error = "stale";
};

TEST_F(TiffOptionsTest, ReadsTheDefaultsThenWritesPresetsAndEachValueInOrder)
{
    ASSERT_TRUE(GetTiffOptions(sw.connection, messages, read, error));
    EXPECT_TRUE(text(read).starts_with("1 0 2 300 8 100 -1 ")) << text(read);
    EXPECT_GT(read.paperWidth, 0.0);

    sw.sim.journal().clear();
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

    ASSERT_TRUE(GetTiffOptions(sw.connection, messages, read, error));
    EXPECT_EQ(text(read), text(wanted()));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(TiffOptionsTest, RefusedValuesGiveHeadingAndLinesInWriteOrder)
{
    sw.sim.installation().refusedPreferences = { "Integer.9", "10" };
    TiffOptions options = wanted();
    options.scaleFactor = 0; // out of range
    EXPECT_FALSE(SetTiffOptions(sw.connection, messages, options, error));
    EXPECT_EQ(error,
        "Fehler beim Setzen der TIFF-Optionen\r\n"
        "TiffprintScaleFactor konnte nicht gesetzt werden\r\n"
        "TiffPrintPaperSize konnte nicht gesetzt werden\r\n"
        "TiffPrintDPI konnte nicht gesetzt werden\r\n");
}

TEST_F(TiffOptionsTest, WithoutSolidWorksBothTellTheUserAndFail)
{
    sw.sim.installation().installed = false;
    read = wanted();
    EXPECT_FALSE(GetTiffOptions(sw.connection, messages, read, error));
    EXPECT_EQ(error, "Unbekannter Fehler");
    EXPECT_EQ(text(read), "-1 -1 -1 -1 -1 -1 0 -1 -1");
    EXPECT_FALSE(SetTiffOptions(sw.connection, messages, wanted(), error));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, kNoSwxInstanceMessage);
    EXPECT_EQ(messages.shown[0].title, "QUORRIX");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
}

} // namespace
} // namespace quorrix::engine
