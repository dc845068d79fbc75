#include "gui/run_view_relay.h"

#include <cstddef>

#include <QMetaObject>
#include <QThread>

#include "gui/window_thread.h"

namespace quorrix::gui {

using engine::MessageAnswer;
using engine::MessageButtons;
using engine::MessageIcon;
using engine::RunBar;
using engine::RunLabel;

namespace {

constexpr engine::RunLabel kLabels[] = { RunLabel::Progress, RunLabel::List, RunLabel::Sheet };
constexpr engine::RunBar kBars[] = { RunBar::List, RunBar::Sheet };

std::size_t slot(RunLabel label)
{
    return static_cast<std::size_t>(label);
}

std::size_t slot(RunBar bar)
{
    return static_cast<std::size_t>(bar);
}

} // namespace

RunViewRelay::RunViewRelay(engine::RunView& window, QObject* parent)
    : QObject(parent)
    , m_window(window)
{
}

bool RunViewRelay::onWindowThread() const
{
    return QThread::currentThread() == thread();
}

template <typename Direct, typename Change>
void RunViewRelay::set(const Direct& direct, const Change& change)
{
    if (onWindowThread()) {
        apply();
        direct();
        return;
    }
    keep(change);
}

template <typename Work> auto RunViewRelay::inOrder(const Work& work)
{
    return onThreadOf(*this, [&] {
        apply();
        return work();
    });
}

template <typename Change> void RunViewRelay::keep(const Change& change)
{
    {
        const std::lock_guard lock(m_mutex);
        change(m_pending);
        if (m_applyAsked)
            return;
        m_applyAsked = true;
    }
    QMetaObject::invokeMethod(
        this, [this] { apply(); }, Qt::QueuedConnection);
}

void RunViewRelay::apply()
{
    Pending pending;
    {
        const std::lock_guard lock(m_mutex);
        std::swap(pending, m_pending);
        m_applyAsked = false;
    }
    for (RunBar bar : kBars) {
        if (const auto& range = pending.ranges[slot(bar)])
            m_window.setBarRange(bar, range->first, range->second);
        if (const auto& value = pending.values[slot(bar)])
            m_window.setBarValue(bar, *value);
    }
    for (RunLabel label : kLabels) {
        if (const auto& caption = pending.labels[slot(label)])
            m_window.setLabel(label, *caption);
    }
    if (pending.highlighted)
        m_window.setSheetLabelHighlighted(*pending.highlighted);
    if (pending.repaint)
        m_window.repaint();
}

void RunViewRelay::setLabel(RunLabel label, const std::string& caption)
{
    set([&] { m_window.setLabel(label, caption); },
        [&](Pending& pending) { pending.labels[slot(label)] = caption; });
}

std::string RunViewRelay::label(RunLabel label) const
{
    return const_cast<RunViewRelay*>(this)->inOrder([&] { return m_window.label(label); });
}

void RunViewRelay::setSheetLabelHighlighted(bool highlighted)
{
    set([&] { m_window.setSheetLabelHighlighted(highlighted); },
        [&](Pending& pending) { pending.highlighted = highlighted; });
}

void RunViewRelay::setBarRange(RunBar bar, float minimum, float maximum)
{
    set([&] { m_window.setBarRange(bar, minimum, maximum); },
        [&](Pending& pending) { pending.ranges[slot(bar)] = std::make_pair(minimum, maximum); });
}

void RunViewRelay::setBarValue(RunBar bar, float value)
{
    set([&] { m_window.setBarValue(bar, value); },
        [&](Pending& pending) { pending.values[slot(bar)] = value; });
}

void RunViewRelay::show()
{
    inOrder([&] { m_window.show(); });
}

void RunViewRelay::repaint()
{
    set([&] { m_window.repaint(); }, [](Pending& pending) { pending.repaint = true; });
}

void RunViewRelay::unload()
{
    inOrder([&] { m_window.unload(); });
}

MessageAnswer RunViewRelay::show(
    const std::string& text, const std::string& title, MessageIcon icon, MessageButtons buttons)
{
    return inOrder([&] { return m_window.show(text, title, icon, buttons); });
}

MessageAnswer RunViewRelay::showWithDefault(const std::string& text, const std::string& title,
    MessageIcon icon, MessageButtons buttons, MessageAnswer defaultAnswer)
{
    return inOrder(
        [&] { return m_window.showWithDefault(text, title, icon, buttons, defaultAnswer); });
}

} // namespace quorrix::gui
