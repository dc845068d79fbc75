#pragma once

#include <csignal>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>

#include "engine/actions/cancel_flag.h"
#include "engine/run/run_view.h"

namespace quorrix::engine {
class Clock;
}

namespace quorrix::app {

// The progress window of the headless runner: one progress line on the terminal, message
// boxes as text, Ctrl+C as the Cancel button.
class ConsoleRunView : public engine::RunView {
public:
    // progressLine: draw the progress line (a terminal, and not --quiet). interrupted is set
    // by the Ctrl+C handler; it reaches the run as the cancel flag.
    ConsoleRunView(std::ostream& out, std::ostream& err, const engine::Clock& clock,
        engine::CancelFlag& cancelFlag, const volatile std::sig_atomic_t& interrupted, bool progressLine);

    using RunView::show;
    void setLabel(engine::RunLabel label, const std::string& caption) override;
    std::string label(engine::RunLabel label) const override;
    void setSheetLabelHighlighted(bool) override { }
    void setBarRange(engine::RunBar bar, float minimum, float maximum) override;
    void setBarValue(engine::RunBar bar, float value) override;
    void show() override;
    void repaint() override;
    void unload() override;
    void processEvents() override;
    engine::MessageAnswer show(const std::string& text, const std::string& title,
        engine::MessageIcon icon, engine::MessageButtons buttons) override;

    // The progress line for the given state; empty before the window is shown.
    std::string progressText() const;

private:
    void takeInterrupt();
    void draw(bool force);
    void clearLine();

    std::ostream& m_out;
    std::ostream& m_err;
    const engine::Clock& m_clock;
    engine::CancelFlag& m_cancelFlag;
    const volatile std::sig_atomic_t& m_interrupted;
    bool m_progressLine;
    bool m_shown = false;
    std::int64_t m_startTicks = 0;
    std::int64_t m_drawnTicks = 0;
    std::size_t m_drawnWidth = 0;
    std::map<engine::RunLabel, std::string> m_labels;
    std::map<engine::RunBar, float> m_maximum;
    std::map<engine::RunBar, float> m_value;
};

// Seconds as m:ss or h:mm:ss.
std::string clockText(std::int64_t seconds);

} // namespace quorrix::app
