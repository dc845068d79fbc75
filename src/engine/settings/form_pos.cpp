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

bool intersects(const TwipsRect& a, const TwipsRect& b)
{
    const std::int64_t aRight = std::int64_t { a.left } + a.width;
    const std::int64_t aBottom = std::int64_t { a.top } + a.height;
    const std::int64_t bRight = std::int64_t { b.left } + b.width;
    const std::int64_t bBottom = std::int64_t { b.top } + b.height;
    return a.left < bRight && b.left < aRight && a.top < bBottom && b.top < aBottom;
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
        // would open the window where nobody can reach it.
        const bool visible = std::any_of(screens.begin(), screens.end(),
            [&](const TwipsRect& s) { return intersects(stored, s); });
        if (!visible) {
            stored.left = clampInto(stored.left, stored.width, primary.left, primary.width);
            stored.top = clampInto(stored.top, stored.height, primary.top, primary.height);
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
