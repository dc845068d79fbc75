#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/platform/file_system.h"
#include "engine/platform/path_text.h"
#include "engine/platform/platform_error.h"
#include "engine/printlist/print_list.h"
#include "engine/printlist/print_list_file.h"
#include "platform/platform_ports.h"
#include "support/temp_dir.h"

#include "list_notation.h"

namespace quorrix::engine {
namespace {

using Rows = std::vector<std::string>;

TEST(PrintListFileTest, ReadingRuleSplitsFieldsAtCommasAndLineEnds)
{
    using Case = std::tuple<const char*, Rows>;
    const std::vector<Case> cases {
        { "\"C:\\A\\B.SLDDRW\"\r\n\"C:\\x y\\c.slddrw\"\r\n",
            { "C:\\A\\B.SLDDRW", "C:\\x y\\c.slddrw" } },
        { "C:\\A\\B.SLDDRW\r\n", { "C:\\A\\B.SLDDRW" } },
        { "C:\\A\\B.SLDDRW", { "C:\\A\\B.SLDDRW" } },
        { "  \tC:\\a b.slddrw \t\r\n", { "C:\\a b.slddrw" } },
        { "C:\\a,b.slddrw\r\n", { "C:\\a", "b.slddrw" } },
        { "\"C:\\a,b.slddrw\"\r\n", { "C:\\a,b.slddrw" } },
        { "\" lead.slddrw \"\r\n", { " lead.slddrw " } },
        { "  \"q\" rest of line\r\n\"r\"x,\"s\"\r\n", { "q", "r", "s" } },
        { "a\r\n\r\nb\r\n", { "a", "", "b" } },
        { "   \r\n", { "" } },
        { "\"\"\r\n", { "" } },
        { "a\nb\rc\r\n", { "a", "b", "c" } },
        { "a,\r\n", { "a", "" } },
        { "a,", { "a", "" } },
        { "\"unclosed\r\nb\r\n", { "unclosed", "b" } },
        { "", {} },
    };
    for (const auto& [text, rows] : cases)
        EXPECT_EQ(parsePrintListText(text), rows) << text;
}

class PrintListFileIoTest : public ::testing::Test {
protected:
    platform::PlatformPorts ports = platform::createPlatformPorts();
    test::TempDir dir;
};

TEST_F(PrintListFileIoTest, WrittenFileReadsBackTheSameRows)
{
    const Rows rows { "C:\\Zeichnungen\\\xC3\x84nderung 1.slddrw", " lead, comma.SLDDRW ", "",
        "C:\\a.slddrw", "C:\\a.slddrw", "/home/cad/16\" pump.SLDDRW" };
    const std::string path = dir.file("list.qrx");
    ASSERT_TRUE(writePrintListFile(*ports.files, path, rows).ok());

    const ListFileResult read = readPrintListFile(*ports.files, path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.rows, rows);

    // Saving again replaces the file as a whole.
    ASSERT_TRUE(writePrintListFile(*ports.files, path, { "x" }).ok());
    EXPECT_EQ(test::readFileBytes(path), "\"x\"\r\n");
    EXPECT_EQ(formatPrintListText({}), "");
}

TEST_F(PrintListFileIoTest, EachLineIsReadOnItsOwnAndUnusableOnesAreKept)
{
    using Unusable = std::vector<UnusableListLine>;
    using namespace std::string_literals;
    const std::string nul = "\"C:\\in\\a.slddrw\0.dxf\""s;
    using Case = std::tuple<std::string, Rows, Unusable>;
    const std::vector<Case> cases {
        // An old tool's Windows-1252 line among UTF-8 ones changes none of them.
        { "\"C:\\M\xFCller\\Teil.sldprt\"\r\nC:\\\x80.slddrw\r\n\"C:\\M\xC3\xBCller.slddrw\"\r\n",
            { "C:\\M\xC3\xBCller\\Teil.sldprt", "C:\\\xE2\x82\xAC.slddrw",
                "C:\\M\xC3\xBCller.slddrw" },
            {} },
        { "\xEF\xBB\xBF\"C:\\M\xC3\xBCller.slddrw\"\r\n", { "C:\\M\xC3\xBCller.slddrw" }, {} },
        // A NUL must not cut the path short: the whole line is unusable.
        { "a\r\n" + nul + "\r\nb\r\n", { "a", "b" }, { { 2, nul, LineFault::ControlCharacter } } },
        { "a\r\nC:\\\x81.slddrw\r\n", { "a" },
            { { 2, "C:\\\x81.slddrw", LineFault::Undecodable } } },
    };
    for (const auto& [bytes, rows, unusable] : cases) {
        test::writeFileBytes(dir.file("old.qrx"), bytes);
        const ListFileResult read = readPrintListFile(*ports.files, dir.file("old.qrx"));
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.rows, rows);
        EXPECT_EQ(read.unusable, unusable);
    }

    // Written back, an unusable line keeps its bytes and reads as unusable again.
    ASSERT_TRUE(writePrintListFile(*ports.files, dir.file("again.qrx"), { "a" }, { nul }).ok());
    EXPECT_EQ(test::readFileBytes(dir.file("again.qrx")), "\"a\"\r\n" + nul + "\r\n");
}

TEST_F(PrintListFileIoTest, LoadingMergesAboveTheCurrentRowRepeatsAndReturnsWhatDidNotFit)
{
    const std::string path = dir.file("two.qrx");
    test::writeFileBytes(path, "\"f1\"\r\n\"f2\"\r\n");
    PrintList list = test::listFromNotation("r0 >r1 r2");
    ASSERT_TRUE(loadPrintListFile(*ports.files, path, list).file.ok());
    const ListFileLoad again = loadPrintListFile(*ports.files, path, list);
    ASSERT_TRUE(again.file.ok());
    EXPECT_TRUE(again.notAdded.empty());
    EXPECT_EQ(test::notationOf(list), "r0 f1 f2 f1 f2 >r1 r2");

    PrintList full;
    full.addDropped(Rows(PrintList::kMaxRows - 1, "r"));
    const ListFileLoad load = loadPrintListFile(*ports.files, path, full);
    EXPECT_TRUE(load.file.ok());
    EXPECT_EQ(load.notAdded, Rows { "f2" });
    EXPECT_EQ(full.row(PrintList::kMaxRows - 1), "f1");
}

// A file system whose reads and writes are refused, as for a file another program locked.
class LockedFiles : public FileSystem {
public:
    bool isPlainFile(const std::string&) override { return true; }
    bool folderExists(const std::string&) override { return true; }
    std::vector<std::string> plainFiles(const std::string&) override { return {}; }
    std::optional<FileStamp> stamp(const std::string&) override { return std::nullopt; }
    std::optional<std::string> readBytes(const std::string&) override { throw locked(); }
    void writeBytesAtomic(const std::string&, const std::string&) override { throw locked(); }
    void appendBytes(const std::string&, const std::string&) override { throw locked(); }
    void removeFile(const std::string&) override { throw locked(); }
    bool isWritableFolder(const std::string&) override { return true; }

private:
    static PlatformError locked()
    {
        return PlatformError(32,
            "The process cannot access the file because it is being used "
            "by another process.");
    }
};

TEST_F(PrintListFileIoTest, FailuresAreValuesAndLeaveTheListAlone)
{
    LockedFiles locked;
    using Case = std::tuple<const char*, ListFileResult, ListFileStatus>;
    const std::vector<Case> cases {
        { "missing", readPrintListFile(*ports.files, dir.file("none.qrx")),
            ListFileStatus::Missing },
        { "folder read as file", readPrintListFile(*ports.files, dir.path()),
            ListFileStatus::Failed },
        { "locked read", readPrintListFile(locked, "x.qrx"), ListFileStatus::Failed },
        { "locked write", writePrintListFile(locked, "x.qrx", { "a" }), ListFileStatus::Failed },
        { "missing folder",
            writePrintListFile(*ports.files, dir.file("gone") + kPathSeparator + "x.qrx", { "a" }),
            ListFileStatus::Failed },
    };
    for (const auto& [name, result, status] : cases) {
        EXPECT_EQ(result.status, status) << name;
        EXPECT_TRUE(result.rows.empty()) << name;
        EXPECT_EQ(result.errorText().empty(), status != ListFileStatus::Failed) << name;
    }
    EXPECT_EQ(readPrintListFile(locked, "x.qrx").errorText(),
        "Error: 32. The process cannot access the file because it is being used by another "
        "process.");

    PrintList list = test::listFromNotation("a >b");
    EXPECT_FALSE(loadPrintListFile(locked, "x.qrx", list).file.ok());
    EXPECT_EQ(test::notationOf(list), "a >b");
}

} // namespace
} // namespace quorrix::engine
