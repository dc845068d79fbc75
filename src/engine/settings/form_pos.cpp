#include "engine/settings/form_pos.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

#include "engine/platform/number_text.h"
#include "engine/platform/platform_error.h"
#include "engine/settings/registry.h"

namespace quorrix::engine {

namespace {

// A stored number that does not fit the window's 32-bit coordinates.
struct OutOfRange { };

std::int32_t tagValue(const std::string& text, const char* tag)
{
    const std::size_t at = text.find(tag);
    if (at == std::string::npos)
        return 0;
    const std::optional<std::int32_t> value
        = roundToInt32(leadingNumber(std::string_view(text).substr(at + std::strlen(tag))));
    if (!value)
        throw OutOfRange {};
    return *value;
}

// The height of a title bar and the width of it that a user needs to grab it, in twips
// (20 and 100 pixels at 96 DPI).
constexpr std::int64_t kTitleBarHeight = 300;
constexpr std::int64_t kGripWidth = 1500;

std::int64_t overlap(
    std::int64_t aLow, std::int64_t aLength, std::int64_t bLow, std::int64_t bLength)
{
    return std::max<std::int64_t>(
        0, std::min(aLow + aLength, bLow + bLength) - std::max(aLow, bLow));
}

std::int64_t sharedArea(const TwipsRect& a, const TwipsRect& b)
{
    return overlap(a.left, a.width, b.left, b.width) * overlap(a.top, a.height, b.top, b.height);
}

// Whether the user can take the window by its title bar on the screen: at least half the bar
// high and a grip wide (the whole bar when the window is narrower) lie on it.
bool titleBarOn(const TwipsRect& window, const TwipsRect& screen)
{
    const std::int64_t barHeight = std::min<std::int64_t>(kTitleBarHeight, window.height);
    const std::int64_t grip = std::min<std::int64_t>(kGripWidth, window.width);
    return 2 * overlap(window.top, barHeight, screen.top, screen.height) >= barHeight
        && overlap(window.left, window.width, screen.left, screen.width) >= grip;
}

// The screen the window is mostly on; the primary one when it is on none.
const TwipsRect& homeScreen(const TwipsRect& window, const std::vector<TwipsRect>& screens)
{
    const TwipsRect* best = &screens.front();
    std::int64_t bestArea = 0;
    for (const TwipsRect& screen : screens) {
        const std::int64_t area = sharedArea(window, screen);
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    return *best;
}

// Moves start so that [start, start + length) lies within [low, low + range); when the
// length does not fit, the start edge (title bar, left border) stays visible.
std::int32_t clampInto(
    std::int32_t start, std::int32_t length, std::int32_t low, std::int32_t range)
{
    const std::int64_t highestStart = std::int64_t { low } + range - length;
    const std::int64_t clamped
        = std::max<std::int64_t>(low, std::min<std::int64_t>(start, highestStart));
    return static_cast<std::int32_t>(clamped);
}

} // namespace

CFormPos::CFormPos(KeyValueStore& store, const std::string& applicationTitle)
    : m_store(store)
    , m_registryPath("SOFTWARE\\" + applicationTitle)
{
}

std::string CFormPos::keyPath() const
{
    return m_subKey.empty() ? m_registryPath : m_registryPath + "\\" + m_subKey;
}

std::string CFormPos::readValue()
{
    m_lastError.clear();
    try {
        const std::optional<StoredValue> value = m_store.read(m_rootKey, keyPath(), m_form->name());
        if (value && value->isText())
            return value->asText();
    } catch (const PlatformError& error) {
        m_lastError = errorText(error.number(), error.description());
    }
    return {};
}

bool CFormPos::writeValue(const std::string& text)
{
    m_lastError.clear();
    try {
        m_store.write(m_rootKey, keyPath(), m_form->name(), StoredValue::text(text));
        return true;
    } catch (const PlatformError& error) {
        m_lastError = errorText(error.number(), error.description());
        return false;
    }
}

void CFormPos::CenterForm()
{
    if (!m_form)
        return;
    const std::vector<TwipsRect> screens = m_form->screens();
    if (screens.empty())
        return;
    const TwipsRect& screen = screens.front();
    const std::int32_t width = m_form->width();
    const std::int32_t height = m_form->height();
    const auto centred = [](std::int32_t low, std::int32_t range, std::int32_t length) {
        return static_cast<std::int32_t>(low + (std::int64_t { range } - length) / 2);
    };
    m_form->move(centred(screen.left, screen.width, width),
        centred(screen.top, screen.height, height), width, height);
}

bool CFormPos::RestoreForm(bool keepOnScreen)
{
    if (!m_form)
        return false;
    const std::string text = readValue();
    if (text.empty())
        return false;

    TwipsRect stored;
    int state = PositionedWindow::kNormal;
    try {
        stored = { tagValue(text, "L="), tagValue(text, "T="), tagValue(text, "W="),
            tagValue(text, "H=") };
        state = tagValue(text, "S=");
    } catch (const OutOfRange&) {
        return false;
    }

    if (state == PositionedWindow::kMinimized || state == PositionedWindow::kMaximized) {
        m_form->setState(state);
        return true;
    }

    // A missing size tag reads as 0; the window keeps the size it was designed with rather
    // than shrinking to the platform's minimum.
    if (stored.width <= 0)
        stored.width = m_form->width();
    if (stored.height <= 0)
        stored.height = m_form->height();

    const std::vector<TwipsRect> screens = m_form->screens();
    if (!screens.empty()) {
        const TwipsRect& primary = screens.front();
        if (keepOnScreen) {
            const std::int64_t right = std::int64_t { primary.left } + primary.width;
            const std::int64_t bottom = std::int64_t { primary.top } + primary.height;
            if (stored.left >= right)
                stored.left = static_cast<std::int32_t>(right - stored.width);
            if (stored.top >= bottom)
                stored.top = static_cast<std::int32_t>(bottom - stored.height);
            stored.left = std::max(stored.left, primary.left);
            stored.top = std::max(stored.top, primary.top);
        }
        // A position saved on a screen that is gone (a detached monitor, a lower resolution)
        // would open the window where nobody can take it by its title bar to move it.
        const bool reachable = std::any_of(screens.begin(), screens.end(),
            [&](const TwipsRect& s) { return titleBarOn(stored, s); });
        if (!reachable) {
            const TwipsRect& home = homeScreen(stored, screens);
            stored.left = clampInto(stored.left, stored.width, home.left, home.width);
            stored.top = clampInto(stored.top, stored.height, home.top, home.height);
        }
    }

    m_form->move(stored.left, stored.top, stored.width, stored.height);
    return true;
}

bool CFormPos::SaveForm()
{
    if (!m_form)
        return false;
    const std::string text = "L=" + std::to_string(m_form->left())
        + ";T=" + std::to_string(m_form->top()) + ";W=" + std::to_string(m_form->width())
        + ";H=" + std::to_string(m_form->height()) + ";S=" + std::to_string(m_form->state()) + ";";
    return writeValue(text);
}

void bindToProgramKey(CFormPos& pos, PositionedWindow& window, const std::string& programKeyPath)
{
    pos.setForm(&window);
    pos.setRootKey(StoreRoot::CurrentUser);
    pos.setRegistryPath(programKeyPath);
    pos.setSubKey(kFormPositionsSubKey);
}

bool restoreOrCenter(CFormPos& pos)
{
    if (pos.RestoreForm(false))
        return true;
    pos.CenterForm();
    return false;
}

} // namespace quorrix::engine
