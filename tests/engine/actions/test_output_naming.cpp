#include <gtest/gtest.h>

#include "engine/actions/output_naming.h"
#include "engine/platform/path_text.h"
#include "support/action_fixture.h"

namespace quorrix::engine {
namespace {

const std::string kSep(1, kPathSeparator);

TEST(OutputNamingTest, GetNamePartKeepsTheLastComponentAndDropsItsExtension)
{
    struct Row {
        std::string path;
        std::string component;
        std::string name;
    };
    const Row rows[] = {
        { kSep + "a" + kSep + "b.c.slddrw", "b.c.slddrw", "b.c" },
        { kSep + "a" + kSep + "noext", "noext", "noext" },
        { "plain.SLDPRT", "plain.SLDPRT", "plain" },
        { "folder" + kSep, "", "" },
        { ".hidden", ".hidden", "" },
    };
    for (const Row& row : rows) {
        std::string path = row.path;
        EXPECT_EQ(GetNamePart(path), row.name) << row.path;
        EXPECT_EQ(path, row.component);
    }
    EXPECT_EQ(documentFolder(kSep + "a" + kSep + "b.slddrw"), kSep + "a" + kSep);
    EXPECT_EQ(documentFolder("b.slddrw"), "");
}

TEST(OutputNamingTest, PrePostfixUsesTheActiveSetOnlyWhenSwitchedOnWithItsDates)
{
    Settings settings;
    const LocalDateTime now { 2024, 3, 5, 0, 0, 0, 0 };
    settings.PrePostIndex = 2;
    settings.PrePostPrefix[2] = "X_:y-:m-:d_";
    settings.PrePostPostfix[2] = "_rev";
    EXPECT_EQ(ApplyPrePostfix(settings, "part1", now), "part1");
    settings.PrePostUseit = 1;
    EXPECT_EQ(ApplyPrePostfix(settings, "part1", now), "X_2024-03-05_part1_rev");
    settings.PrePostIgnoreSWXFilename[2] = 1;
    EXPECT_EQ(ApplyPrePostfix(settings, "part1", now), "X_2024-03-05__rev");
    settings.PrePostPrefix[2].clear();
    settings.PrePostPostfix[2].clear();
    EXPECT_EQ(ApplyPrePostfix(settings, "part1", now) + ".pdf", ".pdf");

    // Date tokens are case-sensitive and replaced everywhere.
    const LocalDateTime time { 2024, 3, 5, 7, 8, 9, 0 };
    EXPECT_EQ(ExpandDateTokens(":h:n:s :D :d:d", time), "070809 :D 0505");
    EXPECT_EQ(ExpandDateTokens("::dd", time), ":05d");
}

// What the batch test does not reach: names Windows would shorten or take for a device.
TEST(OutputNamingTest, SafeFileNamesStayInTheirFolderOnEveryPlatform)
{
    const std::pair<const char*, const char*> rows[] = { { "..", "__" }, { "rev. ", "rev__" },
        { "a\tb\x7f", "a_b_" }, { "COM1.dxf", "_COM1.dxf" }, { "lpt9 .dxf", "_lpt9 .dxf" },
        { "COM10.dxf", "COM10.dxf" }, { "console.dxf", "console.dxf" }, { "Ü:1.dxf", "Ü_1.dxf" },
        { ".dxf", ".dxf" } };
    for (const auto& [name, safe] : rows)
        EXPECT_EQ(safeFileName(name), safe) << name;
}

TEST(OutputNamingTest, OutputFolderFallsBackWithOneErrorLinePerFile)
{
    test::ActionFixture fx;
    const std::string document = fx.dir.file("d.SLDDRW");
    std::string errors;
    EXPECT_EQ(outputFolder(fx.context, 1, "ignored", document, errors, "d.SLDDRW", 111),
        fx.dir.path() + kSep);
    EXPECT_EQ(outputFolder(fx.context, 0, fx.dir.path(), document, errors, "d.SLDDRW", 111),
        fx.dir.path() + kSep);
    EXPECT_EQ(outputFolder(fx.context, 0, fx.dir.path() + kSep, document, errors, "d", 111),
        fx.dir.path() + kSep + kSep);
    EXPECT_EQ(errors, "");
    for (int file = 0; file < 2; ++file) {
        EXPECT_EQ(
            outputFolder(fx.context, 0, fx.dir.file("gone"), document, errors, "d.SLDDRW", 112),
            fx.dir.path() + kSep);
    }
    EXPECT_EQ(errors, "d.SLDDRW " + fx.info(112) + "\r\nd.SLDDRW " + fx.info(112) + "\r\n");
    EXPECT_NE(fx.info(112), "");
}

TEST(OutputNamingTest, DialogKeepsEachSetUntilOk)
{
    Settings settings;
    settings.PrePostIndex = 3;
    settings.PrePostPrefix[3] = "old";
    PrePostWorkingCopy copy(settings);
    EXPECT_EQ(copy.current(), 3);
    EXPECT_EQ(copy.prefix(), "old");
    copy.setFields("new", "post", true);
    copy.select(7);
    EXPECT_EQ(copy.prefix(), "");
    copy.setFields("seven", "", false);
    copy.setUseIt(true);
    EXPECT_EQ(settings.PrePostPrefix[3], "old"); // cancel would keep this
    copy.store(settings);
    EXPECT_EQ(settings.PrePostPrefix[3], "new");
    EXPECT_EQ(settings.PrePostIgnoreSWXFilename[3], 1);
    EXPECT_EQ(settings.PrePostPrefix[7], "seven");
    EXPECT_EQ(settings.PrePostIndex, 7);
    EXPECT_EQ(settings.PrePostUseit, 1);
}

} // namespace
} // namespace quorrix::engine
