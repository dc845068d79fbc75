#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/batch_options.h"
#include "app/batch_runner.h"
#include "engine/platform/path_text.h"
#include "platform/platform_ports.h"
#include "support/fakes.h"
#include "support/memory_key_value_store.h"
#include "support/temp_dir.h"

namespace quorrix::app {
namespace {

using test::readFileBytes;
using test::writeFileBytes;

// quorrix-batch in-process, with its settings in memory and everything it writes, the
// stand-in's configuration included, in a temporary folder.
struct BatchRun {
    BatchRun()
        : ports(platform::createPlatformPorts())
    {
        const std::string languageFolder = ports.programFolder;
        for (const char* name : { "QUORRIX-lng_de.ini", "QUORRIX-lng_us.ini" }) {
            writeFileBytes(
                dir.file(name), readFileBytes(languageFolder + engine::kPathSeparator + name));
        }
        ports.store = std::make_unique<test::MemoryKeyValueStore>();
        ports.regional = std::make_unique<test::FixedRegionalFormat>('.');
        ports.clock = std::make_unique<test::ManualClock>();
        ports.programFolder = dir.path();
        ports.userDataFolder = dir.path();
        ports.userConfigFolder = dir.path();
        writeFileBytes(dir.file("swsim.ini"), "[Files]\nSpool=spool.jsonl\n");
    }

    int run(std::vector<std::string> arguments)
    {
        out.str("");
        err.str("");
        BatchWorld world { ports, out, err, false, interrupted };
        return runBatch(arguments, world);
    }

    std::string list(const std::vector<std::string>& names)
    {
        std::string text;
        for (const std::string& name : names)
            text += "\"" + dir.file(name) + "\"\r\n";
        writeFileBytes(dir.file("list.qrx"), text);
        return dir.file("list.qrx");
    }

    test::TempDir dir;
    platform::PlatformPorts ports;
    std::ostringstream out;
    std::ostringstream err;
    volatile std::sig_atomic_t interrupted = 0;
};

bool standInConfiguredElsewhere()
{
    return std::getenv("QUORRIX_SWSIM_CONFIG") != nullptr;
}

TEST(BatchRunnerTest, ExportsReportsProblemsAndWritesTheFailedList)
{
    if (standInConfiguredElsewhere())
        GTEST_SKIP() << "QUORRIX_SWSIM_CONFIG names another stand-in configuration";
    BatchRun batch;
    writeFileBytes(
        batch.dir.file("plate.SLDDRW"), "[Document]\n[Sheet.1]\nName=A\n[Sheet.2]\nName=B\n");
    writeFileBytes(batch.dir.file("shaft.SLDPRT"), "[Document]\n");
    const std::string list = batch.list({ "plate.SLDDRW", "gone.SLDPRT", "shaft.SLDPRT" });
    const int code = batch.run({ "EXPORTDOC", "--list", list, "--log", "--failed-list",
        batch.dir.file("failed.qrx"), "--quiet" });
    EXPECT_EQ(code, kExitProblems) << batch.err.str();
    EXPECT_FALSE(readFileBytes(batch.dir.file("plate.pdf")).empty());
    EXPECT_FALSE(readFileBytes(batch.dir.file("shaft.pdf")).empty());
    EXPECT_EQ(readFileBytes(batch.dir.file("failed.qrx")),
        "\"" + batch.dir.file("gone.SLDPRT") + "\"\r\n");
    EXPECT_NE(batch.out.str().find(batch.dir.file("gone.SLDPRT") + " "), std::string::npos);
    const std::string out = batch.out.str();
    const std::size_t logAt = out.find("Process log: ");
    ASSERT_NE(logAt, std::string::npos);
    const std::string log = out.substr(logAt + 13, out.find('\n', logAt) - logAt - 13);
    const std::string lines = readFileBytes(log);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4);

    EXPECT_EQ(
        batch.run({ "EXPORT3D", "--list", batch.list({ "shaft.SLDPRT" }), "--quiet" }), kExitDone);
    EXPECT_FALSE(readFileBytes(batch.dir.file("shaft.igs")).empty());
}

TEST(BatchRunnerTest, EachListLineIsReadOnItsOwnAndUnusableOnesGoToTheFailedList)
{
    if (standInConfiguredElsewhere())
        GTEST_SKIP() << "QUORRIX_SWSIM_CONFIG names another stand-in configuration";
    BatchRun batch;
    const std::string folder = batch.dir.path() + engine::kPathSeparator;
    writeFileBytes(folder + "M\xC3\xBCller.SLDDRW", "[Document]\n");
    writeFileBytes(folder + "\xC3\xA4.SLDDRW", "[Document]\n");
    writeFileBytes(folder + "shaft.pdf", "source");
    // The NUL once cut the path to shaft.pdf, which the export then wrote over.
    const std::string nul = "\"" + folder + std::string("shaft.pdf\0.SLDPRT\"", 18);
    const std::string undecodable = "\"" + folder + "\x81.SLDDRW\"";
    writeFileBytes(batch.dir.file("list.qrx"),
        "\"" + folder + "M\xFCller.SLDDRW\"\r\n" + nul + "\r\n" + undecodable + "\r\n\"" + folder
            + "\xC3\xA4.SLDDRW\"\r\n");
    const int code = batch.run({ "EXPORTDOC", "--list", batch.dir.file("list.qrx"), "--failed-list",
        batch.dir.file("failed.qrx"), "--quiet" });

    EXPECT_EQ(code, kExitProblems) << batch.err.str();
    EXPECT_FALSE(readFileBytes(folder + "M\xC3\xBCller.pdf").empty());
    EXPECT_FALSE(readFileBytes(folder + "\xC3\xA4.pdf").empty());
    EXPECT_EQ(readFileBytes(folder + "shaft.pdf"), "source");
    EXPECT_EQ(readFileBytes(batch.dir.file("failed.qrx")), nul + "\r\n" + undecodable + "\r\n");
    for (const char* where : { "list.qrx:2: ", "list.qrx:3: " })
        EXPECT_NE(batch.err.str().find(where), std::string::npos) << where << batch.err.str();
}

TEST(BatchRunnerTest, BadInputAndMissingSolidWorksExitWithTwo)
{
    if (standInConfiguredElsewhere())
        GTEST_SKIP() << "QUORRIX_SWSIM_CONFIG names another stand-in configuration";
    BatchRun batch;
    EXPECT_EQ(batch.run({ "--help" }), kExitDone);
    EXPECT_NE(batch.out.str().find("Exit status"), std::string::npos);
    EXPECT_EQ(batch.run({ "PLOT", "--list", "x" }), kExitUsage);
    EXPECT_NE(batch.err.str().find("unknown action PLOT"), std::string::npos);
    EXPECT_EQ(batch.run({ "Plot", "--list", batch.dir.file("none.qrx") }), kExitUsage);
    EXPECT_EQ(
        batch.run({ "Plot", "--list", batch.list({}), "--settings", batch.dir.file("no.qrxcfg") }),
        kExitUsage);
    EXPECT_EQ(batch.run({ "Plot", "--list", batch.list({}), "--quiet" }), kExitUsage); // empty

    writeFileBytes(batch.dir.file("a.SLDDRW"), "[Document]\n");
    writeFileBytes(batch.dir.file("swsim.ini"), "[Installation]\nInstalled=0\n");
    EXPECT_EQ(batch.run({ "Plot", "--list", batch.list({ "a.SLDDRW" }), "--quiet" }), kExitUsage);
    EXPECT_NE(batch.out.str().find("Can't find SWX instance"), std::string::npos);
}

TEST(BatchRunnerTest, CtrlCCancelsTheRemainingEntries)
{
    if (standInConfiguredElsewhere())
        GTEST_SKIP() << "QUORRIX_SWSIM_CONFIG names another stand-in configuration";
    BatchRun batch;
    writeFileBytes(batch.dir.file("a.SLDDRW"), "[Document]\n");
    writeFileBytes(batch.dir.file("b.SLDDRW"), "[Document]\n");
    batch.interrupted = 1;
    EXPECT_EQ(batch.run({ "Plot", "--list", batch.list({ "a.SLDDRW", "b.SLDDRW" }), "--quiet" }),
        kExitCancelled);
    EXPECT_FALSE(std::filesystem::exists(engine::pathFromUtf8(batch.dir.file("spool.jsonl"))));
}

TEST(BatchRunnerTest, SettingsFileAndSwitchesApplyToTheRun)
{
    if (standInConfiguredElsewhere())
        GTEST_SKIP() << "QUORRIX_SWSIM_CONFIG names another stand-in configuration";
    BatchRun batch;
    writeFileBytes(batch.dir.file("a.SLDDRW"), "[Document]\n[Sheet.1]\nName=One\n");
    writeFileBytes(batch.dir.file("b.SLDDRW"), "[Document]\n[Sheet.1]\nName=Two\n");
    writeFileBytes(batch.dir.file("s.qrxcfg"), "[DXF]\nDXFSaveFullPathName=2\n");
    ASSERT_EQ(batch.run({ "DXF", "--list", batch.list({ "a.SLDDRW", "b.SLDDRW" }), "--settings",
                  batch.dir.file("s.qrxcfg"), "--reverse", "--quiet" }),
        kExitDone)
        << batch.out.str() << batch.err.str();
    EXPECT_FALSE(readFileBytes(batch.dir.file("a.dxf")).empty());
    EXPECT_FALSE(readFileBytes(batch.dir.file("b.dxf")).empty());
}

} // namespace
} // namespace quorrix::app
