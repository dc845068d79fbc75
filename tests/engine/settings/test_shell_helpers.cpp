#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/platform/path_text.h"
#include "engine/settings/shell_execute.h"
#include "engine/settings/windows_handling.h"
#include "support/fakes.h"

namespace quorrix::engine {
namespace {

constexpr NativeWindow kOwner = 0x1234;

// A request as one line, so that a wrong field shows at once.
std::string text(const ShellRequest& r)
{
    return std::to_string(r.owner) + "|" + r.verb + "|" + r.file + "|" + r.parameters + "|"
        + r.directory + "|" + std::to_string(r.showMode) + "|" + std::to_string(r.wantProcess)
        + std::to_string(r.expandEnvironment);
}

TEST(ShellExecuteTest, EachOperationAsksTheShellForItsOwnRequest)
{
    struct Row {
        const char* name;
        std::function<std::int32_t(CShellExecute&)> call;
        ShellRequest expected;
    };
    const std::vector<Row> rows = {
        { "Explore", [](CShellExecute& s) { return s.Explore(kOwner, "C:\\w", 1); },
            { kOwner, "explore", "C:\\w", "", "", 1, false, false } },
        { "LaunchDocument",
            [](CShellExecute& s) { return s.LaunchDocument(kOwner, "%TEMP%\\r.txt", "C:\\d", 1); },
            { kOwner, "Open", "%TEMP%\\r.txt", "", "C:\\d", 1, true, true } },
        { "LaunchEmail", [](CShellExecute& s) { return s.LaunchEmail(kOwner, "a@b.c", 5); },
            { kOwner, "", "mailto:a@b.c", "", "", 5, false, false } },
        { "LaunchFolder", [](CShellExecute& s) { return s.LaunchFolder(kOwner, "C:\\f", 1); },
            { kOwner, "open", "C:\\f", "", "", 1, false, false } },
        { "LaunchProgram",
            [](CShellExecute& s) {
                return s.LaunchProgram(kOwner, "p.exe", "/x \"y z\"", "C:\\d", 5);
            },
            { kOwner, "Open", "p.exe", "/x \"y z\"", "C:\\d", 5, true, false } },
        { "LaunchURL", [](CShellExecute& s) { return s.LaunchURL(kOwner, "https://e.x/", 1); },
            { kOwner, "", "https://e.x/", "", "", 1, false, false } },
        { "PrintDocument", [](CShellExecute& s) { return s.PrintDocument(kOwner, "C:\\d.pdf"); },
            { kOwner, "print", "C:\\d.pdf", "", "", 0, false, false } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::RecordingShell shell;
        CShellExecute launcher(shell);
        EXPECT_EQ(row.call(launcher), CShellExecute::kLaunched);
        ASSERT_EQ(shell.requests.size(), 1u);
        EXPECT_EQ(text(shell.requests[0]), text(row.expected));
    }
}

TEST(ShellExecuteTest, ReturnsTheShellsErrorCode)
{
    // Up to 32 the instance is an error code; above, the launch worked.
    const std::pair<std::int32_t, std::int32_t> rows[]
        = { { 0, 0 }, { 2, 2 }, { 31, 31 }, { 32, 32 }, { 33, -1 }, { 42, -1 } };
    for (const auto& [instance, returned] : rows) {
        test::RecordingShell shell;
        shell.nextResult = { instance, 0 };
        CShellExecute launcher(shell);
        EXPECT_EQ(launcher.LaunchFolder(0, "x", 1), returned) << instance;
        EXPECT_EQ(launcher.instance(), instance);
    }
}

TEST(ShellExecuteTest, RemembersOnlyTheLastStartedProcess)
{
    test::RecordingShell shell;
    shell.running = true;
    {
        CShellExecute launcher(shell);
        EXPECT_FALSE(launcher.StillExecuting());

        shell.nextResult = { 42, 77 };
        launcher.LaunchDocument(kOwner, "readme.txt", "C:\\", 1);
        EXPECT_TRUE(launcher.StillExecuting());
        shell.running = false;
        EXPECT_FALSE(launcher.StillExecuting());
        shell.running = true;

        // A plain launch forgets the process even if the shell mentions one.
        launcher.LaunchURL(kOwner, "https://e.x/", 1);
        EXPECT_EQ(shell.released, (std::vector<std::int64_t> { 77 }));
        EXPECT_EQ(launcher.process(), 0);
        EXPECT_FALSE(launcher.StillExecuting());

        shell.nextResult = { 42, 88 };
        launcher.LaunchProgram(kOwner, "p.exe", "", "", 1);
        EXPECT_TRUE(launcher.StillExecuting());
    }
    EXPECT_EQ(shell.released, (std::vector<std::int64_t> { 77, 88 }));
}

TEST(WindowsHandlingTest, MailLinks)
{
    using Row = std::tuple<const char*, const char*, const char*, const char*>;
    const Row rows[] = {
        { "MAILTO:x", "", "", "MAILTO:x" },
        { "x", "a", "b", "mailto:x?subject=a&body=b" },
        { "x", "", "b", "mailto:x?body=b" },
        { "x", "a", "", "mailto:x?subject=a" },
        { "x?cc=y", "", "b", "mailto:x?cc=y&body=b" },
        { "A B@x", "a b&c=d?#%+", "Zeile 1\r\n\xC3\x84-._~",
            "mailto:A B@x?subject=a%20b%26c%3Dd%3F%23%25%2B&body=Zeile%201%0D%0A%C3%84-._~" },
    };
    for (const auto& [address, subject, body, link] : rows) {
        SCOPED_TRACE(link);
        test::RecordingShell shell;
        EXPECT_EQ(SendMailTo(shell, address, subject, body), CShellExecute::kLaunched);
        ASSERT_EQ(shell.requests.size(), 1u);
        EXPECT_EQ(text(shell.requests[0]),
            text(ShellRequest { 0, "open", link, "", "", 5, false, false }));
    }
}

TEST(WindowsHandlingTest, OpensTargetsAndPrinterDialogs)
{
    test::RecordingShell shell;
    shell.nextResult = { 5, 0 };
    EXPECT_EQ(ShellOpen(shell, kOwner, "C:\\doc one.pdf"), 5);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(text(shell.requests[0]),
        text(ShellRequest { kOwner, "Open", "C:\\doc one.pdf", "", "", 1, false, false }));

    ShowPrinterProperties(shell, "HP \"Laser\" & Co");
    EXPECT_EQ(shell.printerDialogs, (std::vector<std::string> { "HP \"Laser\" & Co" }));
}

TEST(WindowsHandlingTest, TempFolderEndsWithOneSeparatorAndIsNeverCut)
{
    const std::string longFolder = "/home/" + std::string(300, 'x');
    const std::pair<std::string, std::string> rows[] = { { "/tmp/", "/tmp/" },
        { "C:\\Temp\\", "C:\\Temp\\" }, { "/var/tmp", std::string("/var/tmp") + kPathSeparator },
        { longFolder, longFolder + kPathSeparator }, { "", "" } };
    for (const auto& [reported, expected] : rows) {
        test::RecordingShell shell;
        shell.tempFolder = reported;
        EXPECT_EQ(GetTempFolder(shell), expected);
    }
}

} // namespace
} // namespace quorrix::engine
