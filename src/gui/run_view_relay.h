#pragma once

#include <array>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include <QObject>

#include "engine/run/run_view.h"

namespace quorrix::gui {

// The progress window as a run on a thread of its own sees it. What the run sets (labels,
// bars, the sheet label's colour) is kept and handed to the window thread in one go, so
// the run never waits for the window to paint and a fast run does not flood the window
// with events; what must happen in its order (showing and unloading the window, reading a
// label, a message box and its answer) waits for the window thread, after everything set
// before it. Called on the window thread, it is the window itself.
class RunViewRelay : public QObject, public engine::RunView {
public:
    // window lives on the thread that shows it; the relay's QObject side must live there too.
    RunViewRelay(engine::RunView& window, QObject* parent);

    void setLabel(engine::RunLabel label, const std::string& caption) override;
    std::string label(engine::RunLabel label) const override;
    void setSheetLabelHighlighted(bool highlighted) override;
    void setBarRange(engine::RunBar bar, float minimum, float maximum) override;
    void setBarValue(engine::RunBar bar, float value) override;
    void show() override;
    void repaint() override;
    void unload() override;
    // The window thread takes its events by itself; a Cancel click sets the cancel flag
    // there at once.
    void processEvents() override { }
    engine::MessageAnswer show(const std::string& text, const std::string& title,
        engine::MessageIcon icon, engine::MessageButtons buttons) override;
    engine::MessageAnswer showWithDefault(const std::string& text, const std::string& title,
        engine::MessageIcon icon, engine::MessageButtons buttons,
        engine::MessageAnswer defaultAnswer) override;

private:
    // What the run set since the window last took it; empty parts are unchanged.
    struct Pending {
        std::array<std::optional<std::string>, 3> labels;
        std::optional<bool> highlighted;
        std::array<std::optional<std::pair<float, float>>, 2> ranges;
        std::array<std::optional<float>, 2> values;
        bool repaint = false;
    };

    bool onWindowThread() const;
    // On the window thread does direct (after what is pending), else keeps the change.
    template <typename Direct, typename Change>
    void set(const Direct& direct, const Change& change);
    // Does work on the window thread after what is pending, waiting for it.
    template <typename Work> auto inOrder(const Work& work);
    // Runs on the run's thread: keeps what changed and asks the window thread once.
    template <typename Change> void keep(const Change& change);
    // Runs on the window thread: shows what the run set, in the order the window needs.
    void apply();

    engine::RunView& m_window;
    mutable std::mutex m_mutex;
    Pending m_pending;
    bool m_applyAsked = false;
};

} // namespace quorrix::gui
