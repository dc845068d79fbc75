#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorrix::engine {

class KeyValueStore;
class MessageBoxPort;
class RegionalFormat;

// The menu elements that show the entries. Element 0 always exists (the separator above
// the entries); elements 1 to n are created and removed at run time, always at the top end.
class MenuControlArray {
public:
    virtual ~MenuControlArray() = default;

    // 0 while only element 0 exists.
    virtual int highestIndex() const = 0;
    // Creates element highestIndex() + 1.
    virtual void load(int index) = 0;
    // Removes element highestIndex(); never called for element 0.
    virtual void unload(int index) = 0;
    // The caption is shown literally: a folder name containing "&" is no mnemonic marker.
    virtual void setCaption(int index, const std::string& caption) = 0;
    virtual void setVisible(int index, bool visible) = 0;
};

// A list or combo box that FillListCombo fills.
class ListControl {
public:
    virtual ~ListControl() = default;

    virtual void clear() = 0;
    virtual void addItem(const std::string& text) = 0;
};

// A most-recently-used list of texts (the favourite folders), shown in a menu control array
// and kept in the per-user application settings. Each text is its own key; keys compare
// without regard to ASCII letter case, so two spellings of one path are one entry.
class clsMRUMenu {
public:
    static constexpr std::int32_t kDefaultMax = 20;

    // messages, when given, shows store failures of ReadSettings and StoreSettings.
    explicit clsMRUMenu(KeyValueStore& store, MessageBoxPort* messages = nullptr);
    // Removes the menu elements created at run time.
    ~clsMRUMenu();
    clsMRUMenu(const clsMRUMenu&) = delete;
    clsMRUMenu& operator=(const clsMRUMenu&) = delete;

    int Count() const { return static_cast<int>(m_entries.size()); }
    // Entry index (from 1); empty text when out of range.
    std::string Item(int index) const;
    std::int32_t Max() const { return m_max; }
    // Throws std::invalid_argument below 1; drops entries from the end beyond the new Max.
    void setMax(std::int32_t max);
    MenuControlArray* MenuArray() const { return m_menu; }

    void Add(const std::string& text);
    // Does not touch the menu; call Refresh when the menu should follow.
    void Clear();
    void FillListCombo(ListControl& list) const;
    // Replaces the entries by the stored ones. False when the store failed; the entries are
    // then left as they were.
    bool ReadSettings(const std::string& application, const std::string& section);
    void Refresh();
    // A bad index is ignored.
    void Remove(int index);
    // Replaces the stored section by Max and the entries. False when the store failed.
    bool StoreSettings(const std::string& application, const std::string& section);
    // Moves the entry with this key to the top.
    void SelectItem(const std::string& key);
    void Init(MenuControlArray& menu, const std::string& application, const std::string& section);

    // The entries in order (the enumeration of the entries).
    const std::vector<std::string>& entries() const { return m_entries; }
    std::vector<std::string>::const_iterator begin() const { return m_entries.begin(); }
    std::vector<std::string>::const_iterator end() const { return m_entries.end(); }

    // 1-based position of the entry with this key, 0 when there is none.
    int indexOf(const std::string& key) const;

private:
    void reportStoreFailure(const char* operation, long number, const std::string& description);

    KeyValueStore& m_store;
    MessageBoxPort* m_messages;
    MenuControlArray* m_menu = nullptr;
    std::vector<std::string> m_entries;
    std::int32_t m_max = kDefaultMax;
};

// Main-window commands on the favourites.

// Adds folder and keeps the list in ascending order of the user's locale; with more than
// Max folders the one that sorts last drops out.
void addFavoriteSorted(
    clsMRUMenu& favorites, const std::string& folder, const RegionalFormat& regional);

// Removes the entry equal to folder (letter case ignored); nothing when there is none.
void deleteFavorite(clsMRUMenu& favorites, const std::string& folder);

struct FavoriteChoice {
    enum class Action {
        Nothing, // bad index, or the user kept an entry whose folder is gone
        SwitchFolder, // show folder in the file browser
        Removed, // the folder is gone and the user removed the entry
    };
    Action action = Action::Nothing;
    std::string folder;
};

// The user chose entry index of the favourites menu. An entry whose folder no longer exists
// is offered for removal with a yes/no question (questionText, title).
FavoriteChoice chooseFavorite(clsMRUMenu& favorites, int index,
    const std::function<bool(const std::string&)>& folderExists, MessageBoxPort& messages,
    const std::string& questionText, const std::string& title);

} // namespace quorrix::engine
