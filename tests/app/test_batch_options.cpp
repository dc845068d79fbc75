#include <gtest/gtest.h>

#include "app/batch_options.h"

namespace quorrix::app {
namespace {

TEST(BatchOptionsTest, AcceptsTheDocumentedCommandLines)
{
    const ParsedOptions parsed = parseBatchOptions({ "TIFF", "--list", "a.qrx", "--list", "b.qrx",
        "--settings", "s.qrxcfg", "--read-only", "--view-only", "--reverse", "--log",
        "--failed-list", "f.qrx", "--quiet", "--stand-in" });
    ASSERT_TRUE(parsed.options) << parsed.error;
    const BatchOptions& o = *parsed.options;
    EXPECT_EQ(o.action, "TIFF");
    EXPECT_EQ(o.lists, (std::vector<std::string> { "a.qrx", "b.qrx" }));
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
        { "Plot", "DXF", "--list", "a.qrx" }, { "Plot", "--list", "a.qrx", "--colour" } };
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
