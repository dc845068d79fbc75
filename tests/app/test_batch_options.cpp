#include <gtest/gtest.h>

#include "app/batch_options.h"

namespace quorrix::app {
namespace {

TEST(BatchOptionsTest, AcceptsTheDocumentedCommandLines)
{
    const ParsedOptions parsed = parseBatchOptions({ "MULTIJOB", "--list", "a.qrx", "--assembly",
        "p.SLDASM", "--list", "b.qrx", "--search-folder", "d1", "--search-folder", "d2",
        "--settings", "s.qrxcfg", "--read-only", "--view-only", "--reverse", "--log",
        "--failed-list", "f.qrx", "--quiet", "--stand-in", "--combine-pdf", "all.pdf" });
    ASSERT_TRUE(parsed.options) << parsed.error;
    const BatchOptions& o = *parsed.options;
    EXPECT_EQ(o.action, "MULTIJOB");
    using Kind = EntrySource::Kind;
    EXPECT_EQ(o.sources, (std::vector<EntrySource> { { Kind::List, "a.qrx" },
                             { Kind::Assembly, "p.SLDASM" }, { Kind::List, "b.qrx" } }));
    EXPECT_EQ(o.searchFolders, (std::vector<std::string> { "d1", "d2" }));
    EXPECT_EQ(o.combinePdf, "all.pdf");
    EXPECT_EQ(o.settingsFile, "s.qrxcfg");
    EXPECT_TRUE(o.readOnly && o.viewOnly && o.reverse && o.log && o.quiet && o.standIn);
    EXPECT_EQ(o.failedList, "f.qrx");
    EXPECT_TRUE(parseBatchOptions({ "MULTIJOB", "--active" }).options);
    EXPECT_TRUE(parseBatchOptions({ "--help" }).options->help);
}

TEST(BatchOptionsTest, RejectsWhatCannotRun)
{
    const std::vector<std::vector<std::string>> bad { {},
        { "plot", "--list", "a.qrx" }, // action codes are case-sensitive
        { "Plot" }, { "Plot", "--list" }, { "Plot", "--list", "a.qrx", "--active" },
        { "Plot", "DXF", "--list", "a.qrx" }, { "Plot", "--list", "a.qrx", "--colour" },
        { "Plot", "--assembly", "p.SLDASM", "--active" }, { "EXPORTDOC", "--search-folder" },
        // Only a document export writes PDFs to combine, and only over a list.
        { "DXF", "--assembly", "p.SLDASM", "--combine-pdf", "all.pdf" },
        { "EXPORTDOC", "--active", "--combine-pdf", "all.pdf" } };
    for (const auto& arguments : bad) {
        const ParsedOptions parsed = parseBatchOptions(arguments);
        EXPECT_FALSE(parsed.options);
        EXPECT_FALSE(parsed.error.empty());
    }
    for (const char* action : { "Plot", "TIFF", "DXF", "DWG", "EXPORT3D", "EXPORTDOC",
             "EXPORTEDRAWINGS", "RUNMACRO", "MULTIJOB" }) {
        EXPECT_TRUE(isActionCode(action)) << action;
    }
}

} // namespace
} // namespace quorrix::app
