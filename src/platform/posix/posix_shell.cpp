#include "platform/posix/posix_shell.h"

#include "engine/platform/percent_encoding.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>

namespace quorrix::platform {

namespace {

// Windows shell error codes, which the program's callers understand.
constexpr std::int32_t kFileNotFound = 2;
constexpr std::int32_t kAccessDenied = 5;
constexpr std::int32_t kNoAssociation = 31;
constexpr std::int32_t kSuccess = 42;

bool isUrl(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2)
        return false;
    return std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(colon), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

bool isExecutableFile(const std::string& path)
{
    struct stat st { };
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)
        && ::access(path.c_str(), X_OK) == 0;
}

std::int32_t shellCodeOf(int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return kFileNotFound;
    if (error == EACCES || error == EPERM)
        return kAccessDenied;
    return kNoAssociation;
}

// How long the desktop's opener may take to answer before it counts as having handed the
// document on. Some openers end at once with their verdict; others run the viewer in the
// foreground and end only with it.
constexpr std::chrono::milliseconds kOpenerPatience { 1000 };
// lp ends once the job is in the queue or refused; the refusal is what the caller has to
// hear, not a success.
constexpr std::chrono::milliseconds kPrintPatience { 10000 };

// Starts args[0] with the given arguments in folder (when not empty). Returns the child's id,
// or the negated errno when it could not be started (the failed child is reaped).
std::int64_t spawn(const std::vector<std::string>& args, const std::string& folder)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return -errno;
    const pid_t child = ::fork();
    if (child < 0) {
        const int error = errno;
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return -error;
    }
    if (child == 0) {
        ::close(pipeFds[0]);
        ::setsid();
        if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
            const int error = errno;
            (void)!::write(pipeFds[1], &error, sizeof error);
            ::_exit(127);
        }
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        const int error = errno;
        (void)!::write(pipeFds[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    int error = 0;
    ssize_t n;
    do {
        n = ::read(pipeFds[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    ::close(pipeFds[0]);
    if (n == static_cast<ssize_t>(sizeof error)) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) { }
        return -error;
    }
    return child;
}

// Waits for the child in the background, so that it never lingers as a zombie.
void reapWhenDone(std::int64_t process)
{
    std::thread([child = static_cast<pid_t>(process)] {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    }).detach();
}

// The child's exit code when it ends within the patience (reaped), else nothing. A child
// ended by a signal counts as failed.
std::optional<int> exitCodeWithin(std::int64_t process, std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(static_cast<pid_t>(process), &status, WNOHANG);
        if (done == static_cast<pid_t>(process))
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        if (done < 0 && errno != EINTR)
            return 128;
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// The shell error for an exit code of xdg-open (1 bad arguments, 2 no such file, 3 no tool
// to open it with, 4 the tool failed).
std::int32_t openerErrorOf(int exitCode)
{
    return exitCode == 2 ? kFileNotFound : kNoAssociation;
}

} // namespace

std::vector<std::string> splitParameters(const std::string& parameters)
{
    std::vector<std::string> args;
    std::string current;
    bool inQuotes = false;
    bool any = false;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const char c = parameters[i];
        if (c == '\\' && i + 1 < parameters.size() && parameters[i + 1] == '"') {
            current += '"';
            any = true;
            ++i;
        } else if (c == '"') {
            inQuotes = !inQuotes;
            any = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (any)
                args.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any)
        args.push_back(current);
    return args;
}

std::string expandEnvironment(const std::string& text)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t close = text[i] == '%' ? text.find('%', i + 1) : std::string::npos;
        if (close != std::string::npos && close > i + 1) {
            const std::string name = text.substr(i + 1, close - i - 1);
            if (const char* value = std::getenv(name.c_str())) {
                out += value;
                i = close + 1;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

std::vector<std::string> PosixShell::commandFor(const engine::ShellRequest& request)
{
    std::string file = request.expandEnvironment ? expandEnvironment(request.file) : request.file;
    if (file.empty())
        return {};
    std::string verb;
    for (char c : request.verb)
        verb += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (verb == "print")
        return { "lp", "--", file };
    if ((verb.empty() || verb == "open") && !isUrl(file) && isExecutableFile(file)) {
        std::vector<std::string> args { file };
        for (std::string& p : splitParameters(request.parameters))
            args.push_back(std::move(p));
        return args;
    }
    return { "xdg-open", file };
}

engine::ShellResult PosixShell::execute(const engine::ShellRequest& request)
{
    const std::string file
        = request.expandEnvironment ? expandEnvironment(request.file) : request.file;
    struct stat st { };
    if (file.empty() || (!isUrl(file) && ::stat(file.c_str(), &st) != 0))
        return { kFileNotFound, 0 };
    const auto command = commandFor(request);
    const bool opener = command.front() == "xdg-open";
    const bool printer = command.front() == "lp";
    const std::int64_t id = spawn(command, request.directory);
    if (id < 0) {
        // Without the desktop's opener or the print spooler nothing can open or print the
        // document, however it is there.
        return { opener || printer ? kNoAssociation : shellCodeOf(static_cast<int>(-id)), 0 };
    }
    if (opener || printer) {
        const std::optional<int> exitCode
            = exitCodeWithin(id, printer ? kPrintPatience : kOpenerPatience);
        if (exitCode)
            return { *exitCode == 0 ? kSuccess : openerErrorOf(*exitCode), 0 };
    }
    if (request.wantProcess)
        return { kSuccess, id };
    reapWhenDone(id);
    return { kSuccess, 0 };
}

bool PosixShell::isProcessRunning(std::int64_t process)
{
    if (process <= 0)
        return false;
    int status = 0;
    return ::waitpid(static_cast<pid_t>(process), &status, WNOHANG) == 0;
}

void PosixShell::releaseProcess(std::int64_t process)
{
    if (isProcessRunning(process))
        reapWhenDone(process);
}

void PosixShell::showPrinterProperties(const std::string& printerName)
{
    // CUPS keeps each queue's settings on its local web page.
    const std::int64_t id = spawn(
        { "xdg-open", "http://localhost:631/printers/" + engine::percentEncode(printerName) }, {});
    if (id > 0)
        reapWhenDone(id);
}

std::string PosixShell::temporaryFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = tmp && *tmp ? tmp : "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace quorrix::platform
