#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "engine/platform/platform_error.h"
#include "platform/posix/posix_regional_format.h"
#include "platform/posix/posix_shell.h"
#include "support/temp_dir.h"

using namespace quorrix;

TEST(PosixRegionalFormat, ReadsTheSeparatorOfTheNamedLocale)
{
    EXPECT_EQ(platform::PosixRegionalFormat("C").decimalSeparator(), '.');
    platform::PosixRegionalFormat german("de_DE.UTF-8");
    if (german.usesFallback())
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(german.decimalSeparator(), ',');
}

TEST(PosixShell, RequestsBecomeProgramsWithoutAnInterpreter)
{
    const struct {
        const char* verb;
        const char* file;
        const char* parameters;
        std::vector<std::string> command;
    } rows[] = {
        { "print", "/tmp/a b;rm -rf x.pdf", "", { "lp", "--", "/tmp/a b;rm -rf x.pdf" } },
        { "Open", "mailto:x?subject=a", "", { "xdg-open", "mailto:x?subject=a" } },
        { "Open", "/bin/echo", "one \"two three\" \\\"four",
            { "/bin/echo", "one", "two three", "\"four" } },
    };
    for (const auto& row : rows) {
        engine::ShellRequest request;
        request.verb = row.verb;
        request.file = row.file;
        request.parameters = row.parameters;
        EXPECT_EQ(platform::PosixShell::commandFor(request), row.command) << row.file;
    }
}

// Whether the process ended and was reaped (a zombie keeps its entry in /proc).
bool goneWithin(std::int64_t process, std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    const std::string entry = "/proc/" + std::to_string(process);
    while (process > 0 && std::filesystem::exists(entry)) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

struct PathOnly {
    explicit PathOnly(const std::string& path)
        : saved(std::getenv("PATH"))
    {
        ::setenv("PATH", path.c_str(), 1);
    }
    ~PathOnly() { ::setenv("PATH", saved.c_str(), 1); }
    std::string saved;
};

TEST(PosixShell, StartsProgramsAndWatchesThem)
{
    platform::PosixShell shell;
    engine::ShellRequest request;
    request.verb = "Open";
    request.file = "/bin/sleep";
    request.parameters = "0.2";
    request.wantProcess = true;
    const auto result = shell.execute(request);
    EXPECT_GT(result.instance, 32);
    ASSERT_GT(result.process, 0);
    EXPECT_TRUE(shell.isProcessRunning(result.process));
    shell.releaseProcess(result.process); // still running: reaped when it ends
    EXPECT_TRUE(goneWithin(result.process, std::chrono::seconds(3)));

    request.file = "/no/such/program";
    EXPECT_EQ(shell.execute(request).instance, 2);
    const std::string temp = shell.temporaryFolder();
    EXPECT_EQ(temp.back(), '/');
}

TEST(PosixShell, TellsWhenTheDesktopCannotOpenADocumentAndLeavesNoChildBehind)
{
    test::TempDir dir;
    const std::string document = dir.file("readme_us.txt");
    test::writeFileBytes(document, "read me\n");
    struct Row {
        const char* verb;
        const char* opener; // the script's body; nullptr: there is no opener or spooler
        std::int32_t instance;
    };
    const Row rows[] = {
        { "Open", nullptr, 31 }, { "Open", "exit 3", 31 }, // no program for the document
        { "Open", "exit 2", 2 }, { "Open", "exit 0", 42 },
        { "Open", "sleep 1.5", 42 }, // shows the document in the foreground
        { "Print", nullptr, 31 }, { "Print", "exit 1", 31 }, // no spooler, a refused job
        { "Print", "exit 0", 42 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.verb) + ": " + (row.opener ? row.opener : "none"));
        const bool print = std::string(row.verb) == "Print";
        const std::string bin = dir.file(std::string(row.opener ? "bin" : "empty") + row.verb);
        std::filesystem::create_directories(bin);
        if (row.opener) {
            const std::string program = bin + (print ? "/lp" : "/xdg-open");
            test::writeFileBytes(program, std::string("#!/bin/sh\n") + row.opener + "\n");
            ::chmod(program.c_str(), 0755);
        }
        platform::PosixShell shell;
        engine::ShellRequest request;
        request.verb = row.verb;
        request.file = document;
        request.wantProcess = true;
        engine::ShellResult result;
        {
            const PathOnly path(print ? bin : bin + ":/bin:/usr/bin");
            result = shell.execute(request);
        }
        EXPECT_EQ(result.instance, row.instance);
        shell.releaseProcess(result.process);
        EXPECT_TRUE(goneWithin(result.process, std::chrono::seconds(3)));
        EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "a child was left to reap";
    }
}

TEST(PosixShell, ExpandsEnvironmentNamesLikeTheWindowsShell)
{
    ::setenv("QRX_TEST_DIR", "/data", 1);
    EXPECT_EQ(platform::expandEnvironment("%QRX_TEST_DIR%/readme_us.txt"), "/data/readme_us.txt");
    EXPECT_EQ(platform::expandEnvironment("100% %UNSET_QRX% done"), "100% %UNSET_QRX% done");
}
