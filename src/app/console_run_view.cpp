#include "app/console_run_view.h"

#include <cstdio>

#include "engine/platform/clock.h"

namespace quorrix::app {

namespace {

constexpr std::int64_t kTicksPerSecond = 10000;
constexpr std::int64_t kRedrawTicks = 1000; // at most ten lines a second
constexpr std::size_t kMaxLineWidth = 110;

// Message boxes come as CR LF text; a terminal wants plain line feeds.
std::string plainLines(const std::string& text)
{
    std::string result;
    for (char c : text) {
        if (c != '\r')
            result += c;
    }
    return result;
}

} // namespace

std::string clockText(std::int64_t seconds)
{
    char text[32];
    if (seconds >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld",
            static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
            static_cast<long long>(seconds % 60));
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
            static_cast<long long>(seconds % 60));
    }
    return text;
}

ConsoleRunView::ConsoleRunView(std::ostream& out, std::ostream& err, const engine::Clock& clock,
    engine::CancelFlag& cancelFlag, const volatile std::sig_atomic_t& interrupted, bool progressLine)
    : m_out(out)
    , m_err(err)
    , m_clock(clock)
    , m_cancelFlag(cancelFlag)
    , m_interrupted(interrupted)
    , m_progressLine(progressLine)
{
}

void ConsoleRunView::setLabel(engine::RunLabel label, const std::string& caption)
{
    m_labels[label] = caption;
}

std::string ConsoleRunView::label(engine::RunLabel label) const
{
    const auto found = m_labels.find(label);
    return found == m_labels.end() ? std::string() : found->second;
}

void ConsoleRunView::setBarRange(engine::RunBar bar, float, float maximum)
{
    m_maximum[bar] = maximum;
}

void ConsoleRunView::setBarValue(engine::RunBar bar, float value)
{
    m_value[bar] = value;
    draw(false);
}

void ConsoleRunView::show()
{
    m_shown = true;
    m_startTicks = m_clock.counterTicks();
    draw(true);
}

void ConsoleRunView::repaint()
{
    takeInterrupt();
    draw(false);
}

void ConsoleRunView::unload()
{
    clearLine();
    m_shown = false;
}

void ConsoleRunView::processEvents()
{
    takeInterrupt();
    draw(false);
}

void ConsoleRunView::takeInterrupt()
{
    if (m_interrupted != 0)
        m_cancelFlag = -1;
}

engine::MessageAnswer ConsoleRunView::show(const std::string& text, const std::string& title,
    engine::MessageIcon, engine::MessageButtons buttons)
{
    clearLine();
    (void)title;
    m_out << plainLines(text);
    if (!text.empty() && text.back() != '\n')
        m_out << '\n';
    m_out.flush();
    // Nobody is there to answer: questions take the answer that goes on.
    switch (buttons) {
    case engine::MessageButtons::YesNo:
    case engine::MessageButtons::YesNoCancel:
        return engine::MessageAnswer::Yes;
    case engine::MessageButtons::RetryCancel:
        return engine::MessageAnswer::Cancel;
    default:
        return engine::MessageAnswer::Ok;
    }
}

std::string ConsoleRunView::progressText() const
{
    if (!m_shown)
        return {};
    const auto value = [this](engine::RunBar bar, const std::map<engine::RunBar, float>& map) {
        const auto found = map.find(bar);
        return found == map.end() ? 0.0f : found->second;
    };
    const long total = static_cast<long>(value(engine::RunBar::List, m_maximum));
    const long before = static_cast<long>(value(engine::RunBar::List, m_value));
    const long current = std::min(before + 1, std::max(total, 1L));
    std::string text = "Document " + std::to_string(current) + " of " + std::to_string(total);

    const long sheets = static_cast<long>(value(engine::RunBar::Sheet, m_maximum));
    if (sheets > 1) {
        // A drawing's bar runs over two steps per sheet.
        const long sheet = static_cast<long>(value(engine::RunBar::Sheet, m_value)) / 2 + 1;
        text += ", sheet " + std::to_string(std::min(sheet, sheets / 2)) + " of "
            + std::to_string(sheets / 2);
    }
    const std::int64_t elapsed = (m_clock.counterTicks() - m_startTicks) / kTicksPerSecond;
    text += ", " + clockText(elapsed) + " elapsed";
    if (before > 0 && total > before) {
        const std::int64_t left = elapsed * (total - before) / before;
        text += ", about " + clockText(left) + " left";
    }
    // The document's path is the last line of the list label.
    const std::string list = label(engine::RunLabel::List);
    const std::size_t lineBreak = list.rfind('\n');
    if (lineBreak != std::string::npos)
        text += ": " + list.substr(lineBreak + 1);
    if (text.size() > kMaxLineWidth)
        text = text.substr(0, kMaxLineWidth - 3) + "...";
    return text;
}

void ConsoleRunView::draw(bool force)
{
    if (!m_progressLine || !m_shown)
        return;
    const std::int64_t now = m_clock.counterTicks();
    if (!force && now - m_drawnTicks < kRedrawTicks)
        return;
    m_drawnTicks = now;
    const std::string text = progressText();
    m_err << '\r' << text;
    if (m_drawnWidth > text.size())
        m_err << std::string(m_drawnWidth - text.size(), ' ');
    m_err.flush();
    m_drawnWidth = text.size();
}

void ConsoleRunView::clearLine()
{
    if (m_drawnWidth == 0)
        return;
    m_err << '\r' << std::string(m_drawnWidth, ' ') << '\r';
    m_err.flush();
    m_drawnWidth = 0;
}

} // namespace quorrix::app
