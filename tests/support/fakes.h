#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/platform/clock.h"
#include "engine/platform/message_box_port.h"
#include "engine/platform/regional_format.h"
#include "engine/platform/shell.h"

namespace quorrix::test {

// A locale with a chosen decimal separator that orders texts by their ASCII-folded bytes.
class FixedRegionalFormat : public engine::RegionalFormat {
public:
    explicit FixedRegionalFormat(char separator = '.')
        : m_separator(separator)
    {
    }
    char decimalSeparator() const override { return m_separator; }
    int compareText(const std::string& a, const std::string& b) const override
    {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            const int ca = lower(static_cast<unsigned char>(a[i]));
            const int cb = lower(static_cast<unsigned char>(b[i]));
            if (ca != cb)
                return ca < cb ? -1 : 1;
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    std::string sortKey(const std::string& text) const override
    {
        std::string key = text;
        for (char& c : key)
            c = static_cast<char>(lower(static_cast<unsigned char>(c)));
        return key;
    }
    void setSeparator(char separator) { m_separator = separator; }

private:
    static int lower(int c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }
    char m_separator;
};

// A clock that only moves when told to; sleeping advances it.
class ManualClock : public engine::Clock {
public:
    engine::LocalDateTime now() const override { return m_now; }
    std::int64_t counterTicks() const override { return m_ticks; }
    void sleepMilliseconds(int milliseconds) override
    {
        sleeps.push_back(milliseconds);
        m_ticks += static_cast<std::int64_t>(milliseconds) * 10;
    }
    void setNow(const engine::LocalDateTime& now) { m_now = now; }
    void advanceTicks(std::int64_t ticks) { m_ticks += ticks; }

    std::vector<int> sleeps;

private:
    engine::LocalDateTime m_now { 2026, 12, 5, 14, 3, 9, 0 };
    std::int64_t m_ticks = 1'000'000;
};

// Records every shell request and answers with a chosen result.
class RecordingShell : public engine::Shell {
public:
    engine::ShellResult execute(const engine::ShellRequest& request) override
    {
        requests.push_back(request);
        return nextResult;
    }
    bool isProcessRunning(std::int64_t process) override { return process != 0 && running; }
    void releaseProcess(std::int64_t process) override { released.push_back(process); }
    void showPrinterProperties(const std::string& printerName) override
    {
        printerDialogs.push_back(printerName);
    }
    std::string temporaryFolder() override { return tempFolder; }

    std::vector<engine::ShellRequest> requests;
    std::vector<std::int64_t> released;
    std::vector<std::string> printerDialogs;
    engine::ShellResult nextResult { 42, 0 };
    bool running = false;
    std::string tempFolder = "/tmp/";
};

// Records message boxes and answers them from a queue (Ok when the queue is empty).
class RecordingMessageBox : public engine::MessageBoxPort {
public:
    struct Shown {
        std::string text;
        std::string title;
        engine::MessageIcon icon;
        engine::MessageButtons buttons;
    };
    engine::MessageAnswer show(const std::string& text, const std::string& title,
        engine::MessageIcon icon, engine::MessageButtons buttons) override
    {
        shown.push_back({ text, title, icon, buttons });
        return nextAnswer(answers);
    }
    static engine::MessageAnswer nextAnswer(std::vector<engine::MessageAnswer>& answers)
    {
        if (answers.empty())
            return engine::MessageAnswer::Ok;
        const engine::MessageAnswer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }

    std::vector<Shown> shown;
    std::vector<engine::MessageAnswer> answers;
};

} // namespace quorrix::test
