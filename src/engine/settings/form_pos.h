#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/platform/key_value_store.h"

namespace quorrix::engine {

// A rectangle in twips (1440 per inch).
struct TwipsRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// What CFormPos needs of a window. Positions and sizes are the outer frame in twips.
class PositionedWindow {
public:
    static constexpr int kNormal = 0;
    static constexpr int kMinimized = 1;
    static constexpr int kMaximized = 2;

    virtual ~PositionedWindow() = default;

    // The window's object name; it names the stored value.
    virtual std::string name() const = 0;
    virtual std::int32_t left() const = 0;
    virtual std::int32_t top() const = 0;
    virtual std::int32_t width() const = 0;
    virtual std::int32_t height() const = 0;
    // kNormal, kMinimized or kMaximized.
    virtual int state() const = 0;
    virtual void setState(int state) = 0;
    virtual void move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
        = 0;
    // The available area of every screen in virtual desktop coordinates; the primary screen
    // comes first. Empty when the platform cannot tell.
    virtual std::vector<TwipsRect> screens() const = 0;
};

// Remembers where a window was left, as one text value "L=..;T=..;W=..;H=..;S=..;" named
// after the window. Store failures never reach the window: a failed read counts as nothing
// stored and a failed write leaves the previous value; lastError() tells what happened.
class CFormPos {
public:
    // The default key is "SOFTWARE\<applicationTitle>" under the local machine root.
    explicit CFormPos(KeyValueStore& store, const std::string& applicationTitle);

    PositionedWindow* Form() const { return m_form; }
    void setForm(PositionedWindow* window) { m_form = window; }
    const std::string& RegistryPath() const { return m_registryPath; }
    void setRegistryPath(const std::string& path) { m_registryPath = path; }
    StoreRoot RootKey() const { return m_rootKey; }
    void setRootKey(StoreRoot root) { m_rootKey = root; }
    const std::string& SubKey() const { return m_subKey; }
    void setSubKey(const std::string& subKey) { m_subKey = subKey; }

    // Centres the window on the primary screen, keeping its size.
    void CenterForm();
    // Applies the stored position; false when nothing usable is stored.
    bool RestoreForm(bool keepOnScreen = false);
    // Stores the window's current position; false when the store refused it.
    bool SaveForm();

    // "Error: <number>. <description>" of the last store failure; empty after success.
    const std::string& lastError() const { return m_lastError; }

private:
    std::string keyPath() const;
    std::string readValue();
    bool writeValue(const std::string& text);

    KeyValueStore& m_store;
    PositionedWindow* m_form = nullptr;
    StoreRoot m_rootKey = StoreRoot::LocalMachine;
    std::string m_registryPath;
    std::string m_subKey;
    std::string m_lastError;
};

// The subkey of the program's key that holds all window positions.
inline constexpr const char* kFormPositionsSubKey = "Form Positions";

// Binds pos to window the way every window of the program does: current user, the
// program's key, subkey "Form Positions".
void bindToProgramKey(CFormPos& pos, PositionedWindow& window, const std::string& programKeyPath);

// What a window does while loading: the stored position, else centred on the screen.
// Returns whether a stored position was applied.
bool restoreOrCenter(CFormPos& pos);

} // namespace quorrix::engine
