#include "engine/settings/mru_menu.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <stdexcept>

#include "engine/platform/ini_document.h"
#include "engine/platform/key_value_store.h"
#include "engine/platform/message_box_port.h"
#include "engine/platform/platform_error.h"
#include "engine/platform/regional_format.h"
#include "engine/settings/app_settings_store.h"
#include "engine/settings/registry.h"

namespace quorrix::engine {

namespace {

bool sameKey(const std::string& a, const std::string& b)
{
    return equalsIgnoringCase(a, b);
}

// A stored Max is the whole decimal number StoreSettings wrote; anything else was not
// written by the program and is not trusted.
std::optional<std::int32_t> parseMax(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    std::int32_t value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc {} || stop != end || value < 1)
        return std::nullopt;
    return value;
}

} // namespace

clsMRUMenu::clsMRUMenu(KeyValueStore& store, MessageBoxPort* messages)
    : m_store(store)
    , m_messages(messages)
{
}

clsMRUMenu::~clsMRUMenu()
{
    if (!m_menu)
        return;
    while (m_menu->highestIndex() > 0)
        m_menu->unload(m_menu->highestIndex());
}

std::string clsMRUMenu::Item(int index) const
{
    if (index < 1 || index > Count())
        return {};
    return m_entries[static_cast<std::size_t>(index - 1)];
}

void clsMRUMenu::setMax(std::int32_t max)
{
    if (max < 1)
        throw std::invalid_argument("Max must be at least 1");
    m_max = max;
    while (Count() > m_max)
        m_entries.pop_back();
    Refresh();
}

int clsMRUMenu::indexOf(const std::string& key) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
        [&](const std::string& entry) { return sameKey(entry, key); });
    return it == m_entries.end() ? 0 : static_cast<int>(it - m_entries.begin()) + 1;
}

void clsMRUMenu::Add(const std::string& text)
{
    if (m_entries.empty()) {
        m_entries.push_back(text);
    } else {
        if (indexOf(text) != 0) {
            SelectItem(text);
            return;
        }
        m_entries.insert(m_entries.begin(), text);
    }
    if (Count() > m_max)
        m_entries.pop_back();
    Refresh();
}

void clsMRUMenu::Clear()
{
    m_entries.clear();
}

void clsMRUMenu::FillListCombo(ListControl& list) const
{
    list.clear();
    for (const std::string& entry : m_entries)
        list.addItem(entry);
}

bool clsMRUMenu::ReadSettings(const std::string& application, const std::string& section)
{
    std::vector<AppSetting> stored;
    try {
        stored = getAllSettings(m_store, application, section);
    } catch (const PlatformError& error) {
        reportStoreFailure("ReadSettings", error.number(), error.description());
        return false;
    }

    // The entries are numbered; some stores list values by name rather than as written
    // (DirFavorites10 before DirFavorites2), so the numbers decide the order.
    const auto number = [&](const AppSetting& setting) -> long {
        if (setting.name.size() <= section.size()
            || !sameKey(setting.name.substr(0, section.size()), section))
            return -1;
        const std::string digits = setting.name.substr(section.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            return -1;
        return std::stol(digits);
    };
    const auto rank = [&](const AppSetting& setting) {
        const long n = number(setting);
        return n < 0 ? std::numeric_limits<long>::max() : n;
    };
    std::stable_sort(stored.begin(), stored.end(),
        [&](const AppSetting& a, const AppSetting& b) { return rank(a) < rank(b); });

    std::vector<std::string> read;
    for (const AppSetting& setting : stored) {
        if (sameKey(setting.name, "Max")) {
            // A Max that is not a whole number of at least 1 leaves the current Max; the
            // entries are still read.
            if (const std::optional<std::int32_t> max = parseMax(setting.value))
                m_max = *max;
            continue;
        }
        // An empty entry could not be chosen from the menu; a second spelling of a path
        // already read is the same entry.
        const bool known = std::any_of(read.begin(), read.end(),
            [&](const std::string& e) { return sameKey(e, setting.value); });
        if (!setting.value.empty() && !known)
            read.push_back(setting.value);
    }
    m_entries = std::move(read);
    Refresh();
    return true;
}

void clsMRUMenu::Refresh()
{
    if (!m_menu)
        return;
    m_menu->setVisible(0, !m_entries.empty());
    for (int i = 1; i <= Count(); ++i) {
        if (i > m_menu->highestIndex())
            m_menu->load(i);
        m_menu->setCaption(i, Item(i));
        m_menu->setVisible(i, true);
    }
    while (m_menu->highestIndex() > Count())
        m_menu->unload(m_menu->highestIndex());
}

void clsMRUMenu::Remove(int index)
{
    if (index < 1 || index > Count())
        return;
    m_entries.erase(m_entries.begin() + (index - 1));
    Refresh();
}

bool clsMRUMenu::StoreSettings(const std::string& application, const std::string& section)
{
    try {
        StoreBatch batch(m_store);
        deleteSection(m_store, application, section);
        saveSetting(m_store, application, section, "Max", std::to_string(m_max));
        for (int i = 1; i <= Count(); ++i)
            saveSetting(m_store, application, section, section + std::to_string(i), Item(i));
        batch.finish();
    } catch (const PlatformError& error) {
        reportStoreFailure("StoreSettings", error.number(), error.description());
        return false;
    }
    return true;
}

void clsMRUMenu::SelectItem(const std::string& key)
{
    const int index = indexOf(key);
    if (index == 0)
        return;
    if (Count() > 1) {
        const auto at = m_entries.begin() + (index - 1);
        std::rotate(m_entries.begin(), at, at + 1);
    }
    Refresh();
}

void clsMRUMenu::Init(
    MenuControlArray& menu, const std::string& application, const std::string& section)
{
    m_menu = &menu;
    m_menu->setCaption(0, "-");
    if (!application.empty())
        ReadSettings(application, section);
    else
        m_menu->setVisible(0, false);
}

void clsMRUMenu::reportStoreFailure(
    const char* operation, long number, const std::string& description)
{
    if (m_messages)
        m_messages->show(errorText(number, description), operation, MessageIcon::Critical);
}

void addFavoriteSorted(
    clsMRUMenu& favorites, const std::string& folder, const RegionalFormat& regional)
{
    std::vector<std::string> rows { folder };
    rows.insert(rows.end(), favorites.begin(), favorites.end());
    std::stable_sort(rows.begin(), rows.end(),
        [&](const std::string& a, const std::string& b) { return regional.compareText(a, b) < 0; });
    favorites.Clear();
    // Add puts each text on top, so walking from the end leaves the list ascending; a folder
    // that is already a favourite collapses into the existing entry.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        favorites.Add(*row);
}

void deleteFavorite(clsMRUMenu& favorites, const std::string& folder)
{
    while (const int index = favorites.indexOf(folder))
        favorites.Remove(index);
}

FavoriteChoice chooseFavorite(clsMRUMenu& favorites, int index,
    const std::function<bool(const std::string&)>& folderExists, MessageBoxPort& messages,
    const std::string& questionText, const std::string& title)
{
    if (index < 1 || index > favorites.Count())
        return {};
    const std::string folder = favorites.Item(index);
    if (folderExists(folder))
        return { FavoriteChoice::Action::SwitchFolder, folder };
    if (messages.show(questionText, title, MessageIcon::Question, MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return { FavoriteChoice::Action::Nothing, folder };
    favorites.Remove(index);
    return { FavoriteChoice::Action::Removed, folder };
}

} // namespace quorrix::engine
