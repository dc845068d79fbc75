#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/platform/path_text.h"
#include "engine/printlist/file_browser.h"
#include "platform/platform_ports.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

namespace quorrix::engine {
namespace {

using Names = std::vector<std::string>;

constexpr bool kWindowsPaths = kPathSeparator == '\\';

// Written with "\" and turned into the platform's separator.
std::string native(std::string path)
{
    for (char& c : path) {
        if (c == '\\')
            c = kPathSeparator;
    }
    return path;
}

TEST(FileBrowserTest, MakeFullPathPutsExactlyOneSeparatorBeforeTheName)
{
    using Case = std::tuple<std::string, std::string>;
    std::vector<Case> cases {
        { native("C:\\"), native("C:\\part1.sldprt") },
        { native("C:\\x"), native("C:\\x\\part1.sldprt") },
        { native("C:\\x\\"), native("C:\\x\\part1.sldprt") },
        { native("\\\\server\\share"), native("\\\\server\\share\\part1.sldprt") },
    };
    if (kWindowsPaths) {
        cases.push_back({ "C:/", "C:/part1.sldprt" });
        cases.push_back({ "C:/x", "C:/x\\part1.sldprt" });
    } else {
        cases.push_back({ "/", "/part1.sldprt" });
        // a backslash is an ordinary character in a POSIX name
        cases.push_back({ "/x\\", "/x\\/part1.sldprt" });
    }
    for (const auto& [folder, expected] : cases)
        EXPECT_EQ(MakeFullPath(folder, "part1.sldprt"), expected) << folder;
}

TEST(FileBrowserTest, FilterSwitchesCompareExtensionsWithoutLetterCase)
{
    // Without a switch every name is listed; with both, drawings and models.
    const std::tuple<const char*, bool, bool> rows[] = { { "a.txt", false, false },
        { "b.SLDDRW", true, false }, { "x.drw", true, false }, { "X.Drw", true, false },
        { "c.sldprt", false, true }, { "c.PRT", false, true }, { "d.SldAsm", false, true },
        { "d.asm", false, true }, { "part.sldprt.bak", false, false }, { "slddrw", false, false },
        { "a.xdrw", false, false }, { "\xC3\x84nderung.SLDDRW", true, false },
        { "", false, false } };
    for (const auto& [name, drawing, model] : rows) {
        EXPECT_TRUE(isListedInBrowser(name, { false, false })) << name;
        EXPECT_EQ(isListedInBrowser(name, { true, false }), drawing) << name;
        EXPECT_EQ(isListedInBrowser(name, { false, true }), model) << name;
        EXPECT_EQ(isListedInBrowser(name, { true, true }), drawing || model) << name;
    }
}

class FileBrowserFillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : { "c.sldprt", "a.txt", "b.SLDDRW", "x.drw", "part.sldprt.bak",
                 "B.asm", ".hidden.slddrw" })
            test::writeFileBytes(dir.file(name), "x");
        std::filesystem::create_directory(pathFromUtf8(dir.file("folder.slddrw")));
    }

    platform::PlatformPorts ports = platform::createPlatformPorts();
    test::FixedRegionalFormat regional;
    test::TempDir dir;
    FileBrowserList files;
};

TEST_F(FileBrowserFillTest, ListsPlainFilesThatPassTheSwitchesInCaseBlindOrder)
{
    // A leading dot hides a file on POSIX (and under Wine); Windows itself hides by attribute
    // only, so ask the platform whether the file counts.
    const bool dotFileHidden = !ports.files->isPlainFile(dir.file(".hidden.slddrw"));
    if (!kWindowsPaths) {
        EXPECT_TRUE(dotFileHidden);
    }
    const Names visible = dotFileHidden ? Names {} : Names { ".hidden.slddrw" };
    struct Case {
        BrowserFilter filter;
        Names expected;
    };
    const std::vector<Case> cases {
        { { false, false },
            { "a.txt", "B.asm", "b.SLDDRW", "c.sldprt", "part.sldprt.bak", "x.drw" } },
        { { true, false }, { "b.SLDDRW", "x.drw" } },
        { { false, true }, { "B.asm", "c.sldprt" } },
        { { true, true }, { "B.asm", "b.SLDDRW", "c.sldprt", "x.drw" } },
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(files.fill(*ports.files, dir.path(), c.filter, regional));
        Names expected = c.expected;
        if (c.filter.showOnlyDrawings || !c.filter.showOnlyModels)
            expected.insert(expected.begin(), visible.begin(), visible.end());
        EXPECT_EQ(files.names(), expected) << c.filter.showOnlyDrawings << c.filter.showOnlyModels;
    }
}

TEST_F(FileBrowserFillTest, FullPathsRefillAndAMissingFolder)
{
    // Full paths have one separator whether the folder ends in one or not.
    for (const std::string& folder : { dir.path(), dir.path() + kPathSeparator }) {
        ASSERT_TRUE(files.fill(*ports.files, folder, { false, true }, regional));
        ASSERT_EQ(files.count(), 2);
        EXPECT_EQ(files.fullPath(0), dir.file("B.asm"));
        EXPECT_TRUE(ports.files->isPlainFile(files.fullPath(1)));
    }
    // A refill drops the selection and the current row.
    ASSERT_TRUE(files.fill(*ports.files, dir.path(), { true, true }, regional));
    files.setSelected(1, true);
    files.setCurrentRow(1);
    ASSERT_TRUE(files.fill(*ports.files, dir.path(), { true, true }, regional));
    EXPECT_EQ(files.selectedCount(), 0);
    EXPECT_EQ(files.currentRow(), FileBrowserList::kNoRow);

    EXPECT_FALSE(files.fill(*ports.files, dir.file("gone"), { true, true }, regional));
    EXPECT_EQ(files.count(), 0);
    EXPECT_EQ(files.folder(), dir.file("gone"));
}

} // namespace
} // namespace quorrix::engine
