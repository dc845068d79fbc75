#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/actions/cancel_flag.h"
#include "engine/run/run_view.h"
#include "support/fakes.h"

namespace quorrix::test {

// A progress window that records what a run showed and can press Cancel: at the n-th time
// the run lets the message loop run (1-based), it sets the cancel flag.
class RecordingRunView : public engine::RunView {
public:
    using Shown = RecordingMessageBox::Shown;

    explicit RecordingRunView(engine::CancelFlag& cancelFlag)
        : m_cancelFlag(cancelFlag)
    {
    }

    void setLabel(engine::RunLabel label, const std::string& caption) override
    {
        labels[label] = caption;
        events.push_back(name(label) + "=" + caption);
    }
    std::string label(engine::RunLabel label) const override
    {
        const auto found = labels.find(label);
        return found == labels.end() ? std::string() : found->second;
    }
    void setSheetLabelHighlighted(bool highlighted) override
    {
        events.push_back(highlighted ? "highlight" : "unhighlight");
    }
    void setBarRange(engine::RunBar bar, float minimum, float maximum) override
    {
        ranges[bar] = { minimum, maximum };
        events.push_back(name(bar) + " range " + number(minimum) + ".." + number(maximum));
    }
    void setBarValue(engine::RunBar bar, float value) override
    {
        values[bar] = value;
        events.push_back(name(bar) + " " + number(value));
    }
    void show() override { events.push_back("show"); }
    void repaint() override { events.push_back("repaint"); }
    void unload() override { events.push_back("unload"); }
    void processEvents() override
    {
        events.push_back("events");
        if (++eventLoops == cancelAtEventLoop)
            m_cancelFlag = -1;
        if (onEventLoop)
            onEventLoop(eventLoops);
    }
    engine::MessageAnswer show(const std::string& text, const std::string& title,
        engine::MessageIcon icon, engine::MessageButtons buttons) override
    {
        shown.push_back({ text, title, icon, buttons });
        events.push_back("message " + text);
        return RecordingMessageBox::nextAnswer(answers);
    }

    std::map<engine::RunLabel, std::string> labels;
    std::map<engine::RunBar, std::pair<float, float>> ranges;
    std::map<engine::RunBar, float> values;
    std::vector<std::string> events;
    std::vector<Shown> shown;
    std::vector<engine::MessageAnswer> answers;
    int eventLoops = 0;
    int cancelAtEventLoop = -1;
    // Runs at every turn of the message loop, for tests that change the world mid-run.
    std::function<void(int)> onEventLoop;

private:
    static std::string name(engine::RunLabel label)
    {
        switch (label) {
        case engine::RunLabel::Progress:
            return "lblProgress";
        case engine::RunLabel::List:
            return "lblQRXList";
        case engine::RunLabel::Sheet:
            return "lblSheet";
        }
        return "?";
    }
    static std::string name(engine::RunBar bar)
    {
        return bar == engine::RunBar::List ? "prgrQRXList" : "prgrSheet";
    }
    static std::string number(float value)
    {
        std::string text = std::to_string(value);
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
        return text;
    }

    engine::CancelFlag& m_cancelFlag;
};

} // namespace quorrix::test
