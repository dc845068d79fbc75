#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include "platform/win32/win32_file_system.h"

namespace quorrix::platform {
namespace {

// What a program started with this command line receives as its arguments.
std::vector<std::wstring> parsedArguments(const std::wstring& commandLine)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine.c_str(), &count);
    std::vector<std::wstring> result(arguments, arguments + count);
    LocalFree(arguments);
    return result;
}

TEST(Win32ShellTest, PrinterNameReachesPrintUiAsOneUnchangedArgument)
{
    EXPECT_EQ(printerPropertiesCommandLine(L"HP LaserJet"),
        L"rundll32.exe printui.dll,PrintUIEntry /e /n \"HP LaserJet\"");

    struct Row {
        std::wstring name;
        std::wstring quoted;
    };
    const std::vector<Row> rows = {
        { L"", L"\"\"" },
        { L"\\\\server\\Plotter A0", L"\"\\\\server\\Plotter A0\"" },
        { L"Say \"hi\"", L"\"Say \\\"hi\\\"\"" },
        { L"ends with\\", L"\"ends with\\\\\"" },
        { L"a\\\"b", L"\"a\\\\\\\"b\"" },
        { L"\\\\\"", L"\"\\\\\\\\\\\"\"" },
        { L"x\" & del C:\\* \"", L"\"x\\\" & del C:\\* \\\"\"" },
        { L"Größe € Drucker", L"\"Größe € Drucker\"" },
    };
    for (const Row& row : rows) {
        const std::wstring quoted = quoteCommandLineArgument(row.name);
        EXPECT_EQ(quoted, row.quoted);
        const std::vector<std::wstring> arguments
            = parsedArguments(printerPropertiesCommandLine(row.name));
        ASSERT_EQ(arguments.size(), 5u);
        EXPECT_EQ(arguments[1], L"printui.dll,PrintUIEntry");
        EXPECT_EQ(arguments[4], row.name);
    }
}

TEST(Win32ShellTest, TemporaryFolderEndsWithABackslashAndExists)
{
    Win32Shell shell;
    const std::string folder = shell.temporaryFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    Win32FileSystem files;
    EXPECT_TRUE(files.folderExists(folder));
}

TEST(Win32ShellTest, ProcessEndedWithCode259IsNotStillRunning)
{
    Win32Shell shell;
    engine::ShellRequest request;
    request.verb = "open";
    request.file = "cmd.exe";
    request.parameters = "/c exit 259";
    request.showMode = 0;
    request.wantProcess = true;
    const engine::ShellResult result = shell.execute(request);
    EXPECT_GT(result.instance, 32);
    ASSERT_NE(result.process, 0);

    const auto handle = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(result.process));
    ASSERT_EQ(WaitForSingleObject(handle, 60'000), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(handle, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_FALSE(shell.isProcessRunning(result.process));
    shell.releaseProcess(result.process);

    // This test program itself is certainly running.
    HANDLE self = OpenProcess(
        SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, GetCurrentProcessId());
    ASSERT_NE(self, nullptr);
    const auto selfValue = static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(self));
    EXPECT_TRUE(shell.isProcessRunning(selfValue));
    shell.releaseProcess(selfValue);
    EXPECT_FALSE(shell.isProcessRunning(0));
}

TEST(Win32ShellTest, FailureIsNeverReportedAsSuccess)
{
    Win32Shell shell;
    engine::ShellRequest request;
    request.file = "C:\\quorrix-missing-folder\\nothing.exe";
    request.wantProcess = true;
    request.showMode = 0;
    const engine::ShellResult result = shell.execute(request);
    EXPECT_LE(result.instance, 32);
    EXPECT_EQ(result.process, 0);
}

} // namespace
} // namespace quorrix::platform
