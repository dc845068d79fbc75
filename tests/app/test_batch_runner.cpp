#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/batch_options.h"
#include "app/batch_runner.h"
#include "engine/platform/path_text.h"
#include "engine/printlist/print_list.h"
#include "pdf_outline.h"
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

    // Against the stand-in, which Windows takes only when asked for.
    int run(std::vector<std::string> arguments)
    {
        arguments.push_back("--stand-in");
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

// A settings file nobody can use would run the list with settings nobody chose, and a
// broken stand-in must not end the program on an uncaught exception.
TEST(BatchRunnerTest, UnusableSettingsOrStandInEndTheRunWithOneLine)
{
    if (standInConfiguredElsewhere())
        GTEST_SKIP() << "QUORRIX_SWSIM_CONFIG names another stand-in configuration";
    const struct {
        std::string bytes;
        std::string told;
    } settingsFiles[] = {
        { "[TIFF]\r\nTiffPrintDPI=600\r\n[DXF]\r\nDXFVersion=\x01\r\n",
            "line 4 of the settings file" },
        { "[TIFF]\r\nTiffPrintDPI=\x81\x90\r\n", "neither UTF-8 nor Windows-1252" },
        { "[Other]\r\nKey=1\r\n", "holds no settings" },
    };
    for (const auto& file : settingsFiles) {
        BatchRun batch;
        writeFileBytes(batch.dir.file("a.SLDDRW"), "[Document]\n[Sheet.1]\nName=A\n");
        writeFileBytes(batch.dir.file("s.qrxcfg"), file.bytes);
        EXPECT_EQ(batch.run({ "TIFF", "--list", batch.list({ "a.SLDDRW" }), "--settings",
                      batch.dir.file("s.qrxcfg"), "--quiet" }),
            kExitUsage);
        const std::string err = batch.err.str();
        EXPECT_NE(err.find(file.told), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_FALSE(std::filesystem::exists(engine::pathFromUtf8(batch.dir.file("A.tif"))));
    }

    BatchRun batch;
    writeFileBytes(batch.dir.file("a.SLDDRW"), "[Document]\n");
    std::filesystem::remove(engine::pathFromUtf8(batch.dir.file("swsim.ini")));
    std::filesystem::create_directory(engine::pathFromUtf8(batch.dir.file("swsim.ini")));
    EXPECT_EQ(batch.run({ "EXPORT3D", "--list", batch.list({ "a.SLDDRW", "b.SLDPRT" }),
                  "--failed-list", batch.dir.file("failed.qrx"), "--quiet" }),
        kExitProblems);
    EXPECT_NE(batch.err.str().find("swsim.ini"), std::string::npos) << batch.err.str();
    EXPECT_EQ(readFileBytes(batch.dir.file("failed.qrx")),
        "\"" + batch.dir.file("a.SLDDRW") + "\"\r\n\"" + batch.dir.file("b.SLDPRT") + "\"\r\n");
}

#ifndef _WIN32
TEST(BatchRunnerTest, TheUsersDataFolderIsMadeWhenMissing)
{
    test::TempDir dir;
    const std::string data = dir.file("share");
    const char* before = std::getenv("XDG_DATA_HOME");
    const std::string saved = before ? before : "";
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    const platform::PlatformPorts ports = platform::createPlatformPorts();
    before ? ::setenv("XDG_DATA_HOME", saved.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(ports.files->isWritableFolder(ports.userDataFolder)) << ports.userDataFolder;
}
#endif

// Ctrl+C arrives while SolidWorks spends this long in a call.
constexpr int kCtrlCDelay = 777;

class CtrlCClock : public test::ManualClock {
public:
    explicit CtrlCClock(volatile std::sig_atomic_t& interrupted)
        : m_interrupted(interrupted)
    {
    }
    void sleepMilliseconds(int milliseconds) override
    {
        if (milliseconds == kCtrlCDelay)
            m_interrupted = 1;
        ManualClock::sleepMilliseconds(milliseconds);
    }

private:
    volatile std::sig_atomic_t& m_interrupted;
};

// A scheduler re-runs the failed list and trusts the exit status: every document that was
// not done, for whatever reason, has to be in the list, and only a run that did them all
// may end with 0. Output names stay inside their folder.
TEST(BatchRunnerTest, ExitStatusAndFailedListNameEveryDocumentNotDone)
{
    if (standInConfiguredElsewhere())
        GTEST_SKIP() << "QUORRIX_SWSIM_CONFIG names another stand-in configuration";
    using Files = std::vector<std::pair<std::string, std::string>>;
    const std::string sheet1 = "[Document]\n[Sheet.1]\nName=Sheet1\n";
    std::vector<std::string> overLong(engine::PrintList::kMaxRows, "gone.SLDPRT");
    std::vector<std::string> overLongList = overLong;
    overLongList.push_back("shaft.SLDPRT");
    struct Row {
        const char* what;
        std::string action;
        Files documents; // and any file there before the run
        std::vector<std::string> list;
        int exit;
        std::vector<std::string> failed;
        std::vector<std::string> written; // by this run, in the documents' folder
        std::string reported; // a line of the report names this, then the second document
        std::vector<std::string> switches = {}; // a document's name stands for its path
    };
    const Row rows[] = {
        { "longer than the window's list", "EXPORT3D", { { "shaft.SLDPRT", "[Document]\n" } },
            overLongList, kExitProblems, overLong, { "shaft.igs" }, {} },
        { "Ctrl+C in the second drawing", "Plot",
            { { "a.SLDDRW", sheet1 },
                { "b.SLDDRW",
                    "[Document]\n[Sheet.1]\nName=1\n[Sheet.2]\nName=2\n[Faults]\nDelay=PrintOut2:"
                        + std::to_string(kCtrlCDelay) + "\n" },
                { "c.SLDDRW", sheet1 }, { "d.SLDDRW", sheet1 } },
            { "a.SLDDRW", "b.SLDDRW", "c.SLDDRW", "d.SLDDRW" }, kExitCancelled,
            { "b.SLDDRW", "c.SLDDRW", "d.SLDDRW" }, {}, {} },
        { "refused TIFF preference", "TIFF",
            { { "a.SLDDRW",
                  "[Document]\n[Sheet.1]\nName=A\n[Faults]\nRefusePreferences=Integer.9\n" },
                { "b.SLDDRW", "[Document]\n[Sheet.1]\nName=B\n" } },
            { "a.SLDDRW", "b.SLDDRW" }, kExitProblems, { "a.SLDDRW" }, { "B.tif" }, {} },
        { "stale output", "EXPORT3D",
            { { "stale.SLDPRT", "[Document]\n[Faults]\nNoOutput=1\n" }, { "stale.igs", "old" },
                { "fresh.SLDPRT", "[Document]\n" }, { "fresh.igs", "old" } },
            { "stale.SLDPRT", "fresh.SLDPRT" }, kExitProblems, { "stale.SLDPRT" }, { "fresh.igs" },
            {} },
        { "two documents, one output name", "DXF",
            { { "a.SLDDRW", sheet1 }, { "b.SLDDRW", sheet1 } }, { "a.SLDDRW", "b.SLDDRW" },
            kExitProblems, { "b.SLDDRW" }, { "Sheet1.dxf" }, "b.SLDDRW" },
        { "sheet names with separators and forbidden characters", "DXF",
            { { "u.SLDDRW",
                "[Document]\n[Sheet.1]\nName=../X\n[Sheet.2]\nName=a<b>:c\"d|e?f*g\\h\n"
                "[Sheet.3]\nName=con\n" } },
            { "u.SLDDRW" }, kExitDone, {}, { ".._X.dxf", "a_b__c_d_e_f_g_h.dxf", "_con.dxf" }, {} },
        { "a document that hangs past the time limit", "DXF",
            { { "a.SLDDRW", "[Document]\n[Faults]\nHang=OpenDoc2\n" }, { "b.SLDDRW", sheet1 } },
            { "a.SLDDRW", "b.SLDDRW" }, kExitProblems, { "a.SLDDRW" }, { "Sheet1.dxf" }, {},
            { "--timeout", "1" } },
        { "Ctrl+C while a call hangs", "DXF",
            { { "a.SLDDRW", sheet1 },
                { "b.SLDDRW",
                    "[Document]\n[Faults]\nHang=OpenDoc2\nDelay=OpenDoc2:"
                        + std::to_string(kCtrlCDelay) + "\n" },
                { "c.SLDDRW", sheet1 } },
            { "a.SLDDRW", "b.SLDDRW", "c.SLDDRW" }, kExitCancelled, { "b.SLDDRW", "c.SLDDRW" },
            { "Sheet1.dxf" }, {}, { "--timeout", "0" } },
        { "a settings file and switches", "DXF",
            { { "a.SLDDRW", "[Document]\n[Sheet.1]\nName=One\n" },
                { "b.SLDDRW", "[Document]\n[Sheet.1]\nName=Two\n" },
                { "s.qrxcfg", "[DXF]\nDXFSaveFullPathName=2\n" } },
            { "a.SLDDRW", "b.SLDDRW" }, kExitDone, {}, { "a.dxf", "b.dxf" }, {},
            { "--settings", "s.qrxcfg", "--reverse" } },
    };
    for (const Row& row : rows) {
        BatchRun batch;
        batch.ports.clock = std::make_unique<CtrlCClock>(batch.interrupted);
        for (const auto& [name, bytes] : row.documents)
            writeFileBytes(batch.dir.file(name), bytes);
        std::string failed;
        for (const std::string& name : row.failed)
            failed += "\"" + batch.dir.file(name) + "\"\r\n";
        std::vector<std::string> arguments { row.action, "--list", batch.list(row.list),
            "--failed-list", batch.dir.file("failed.qrx"), "--quiet" };
        for (const std::string& switch_ : row.switches) {
            const bool named = std::any_of(row.documents.begin(), row.documents.end(),
                [&](const auto& document) { return document.first == switch_; });
            arguments.push_back(named ? batch.dir.file(switch_) : switch_);
        }
        EXPECT_EQ(batch.run(arguments), row.exit) << row.what << batch.err.str();
        EXPECT_TRUE(readFileBytes(batch.dir.file("failed.qrx")) == failed) << row.what;
        for (const std::string& name : row.written) {
            const bool there = std::filesystem::exists(engine::pathFromUtf8(batch.dir.file(name)));
            const std::string bytes = there ? readFileBytes(batch.dir.file(name)) : "";
            EXPECT_TRUE(!bytes.empty() && bytes != "old") << row.what << ": " << name;
        }
        EXPECT_FALSE(
            std::filesystem::exists(engine::pathFromUtf8(batch.dir.path()).parent_path() / "X.dxf"))
            << row.what;
        if (!row.reported.empty()) {
            const std::string out = batch.out.str();
            const std::size_t at = out.find(batch.dir.file(row.reported) + " ");
            const std::string line
                = at == std::string::npos ? std::string() : out.substr(at, out.find('\n', at) - at);
            EXPECT_NE(line.find(batch.dir.file("a.SLDDRW")), std::string::npos) << row.what;
        }
    }
}

#if defined(QUORRIX_EXAMPLES_DIR) && defined(QUORRIX_HAVE_QPDF)
// The gear pump of the examples as a user sends it to the workshop: its drawings from the
// assembly, exported as PDF and joined into one file with a bookmark per drawing and sheet.
TEST(BatchRunnerTest, AnAssemblysDrawingsGoIntoOneCombinedPdf)
{
    if (standInConfiguredElsewhere())
        GTEST_SKIP() << "QUORRIX_SWSIM_CONFIG names another stand-in configuration";
    BatchRun batch;
    const std::filesystem::path examples = engine::pathFromUtf8(batch.dir.file("examples"));
    std::filesystem::copy(engine::pathFromUtf8(QUORRIX_EXAMPLES_DIR), examples);
    const std::string folder = engine::utf8FromPath(examples) + engine::kPathSeparator;
    const std::string combined = batch.dir.file("GP25 package.pdf");
    const int code = batch.run({ "EXPORTDOC", "--assembly", folder + "GP25-000 Gear pump.SLDASM",
        "--combine-pdf", combined, "--failed-list", batch.dir.file("failed.qrx"), "--quiet" });
    // The gasket's drawing is set to fail: it is named and left out, the rest is joined.
    EXPECT_EQ(code, kExitProblems) << batch.err.str();
    const std::string gasket = folder + "GP25-004 Gasket.SLDDRW";
    EXPECT_EQ(readFileBytes(batch.dir.file("failed.qrx")), "\"" + gasket + "\"\r\n");
    EXPECT_NE(batch.out.str().find(gasket + " is not in the combined PDF"), std::string::npos)
        << batch.out.str();
    EXPECT_NE(batch.err.str().find("4 models have no drawing:\n  " + folder
                  + "GP25-100 Gear set.SLDASM\n"),
        std::string::npos)
        << batch.err.str();

    const std::vector<std::string> done { "GP25-000 Gear pump", "GP25-001 Housing",
        "GP25-002 Front cover", "GP25-003 Rear cover", "GP25-101 Drive gear",
        "GP25-103 Drive shaft", "GP25-200 Relief valve" };
    const PdfOutline outline = readOutline(combined);
    std::size_t pages = 0;
    std::vector<std::string> titles;
    for (std::size_t i = 0; i < outline.items.size(); ++i) {
        titles.push_back(outline.items[i].title);
        const PdfOutline single = readOutline(folder + done.at(i) + ".pdf");
        EXPECT_EQ(outline.items[i].children.size(), single.pages) << done[i];
        EXPECT_EQ(outline.items[i].firstPage, pages) << done[i];
        pages += single.pages;
    }
    EXPECT_EQ(titles, done);
    EXPECT_EQ(outline.pages, pages);
    EXPECT_EQ(outline.items[1].children.front(), "GP25-001 Views");
    EXPECT_FALSE(std::filesystem::exists(engine::pathFromUtf8(combined + ".part")));
    if (std::system("qpdf --version >/dev/null 2>&1") == 0) {
        EXPECT_EQ(std::system(("qpdf --check '" + combined + "' >/dev/null").c_str()), 0);
    }
}
#endif

} // namespace
} // namespace quorrix::app
