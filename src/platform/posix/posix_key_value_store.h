#pragma once

#include <optional>
#include <string>

#include "engine/platform/file_system.h"
#include "engine/platform/key_value_store.h"
#include "platform/posix/store_file.h"

namespace quorrix::platform {

// The registry of a POSIX desktop: one text file per root in a folder of the user's
// configuration (current-user.ini, local-machine.ini, classes-root.ini). Every change is
// written to a temporary file that then replaces the store file, so a crash leaves either
// the old or the new store, never a half-written one. Inside a batch the changes are
// collected and written once at its end. The file is read again whenever another program
// has changed it.
class PosixKeyValueStore : public engine::KeyValueStore {
public:
    explicit PosixKeyValueStore(std::string folder);

    std::optional<engine::StoredValue> read(
        engine::StoreRoot root, const std::string& keyPath, const std::string& valueName) override;
    void write(engine::StoreRoot root, const std::string& keyPath, const std::string& valueName,
        const engine::StoredValue& value) override;
    bool keyExists(engine::StoreRoot root, const std::string& keyPath) override;
    std::vector<engine::NamedValue> listValues(
        engine::StoreRoot root, const std::string& keyPath) override;
    std::vector<std::string> listSubKeys(
        engine::StoreRoot root, const std::string& keyPath) override;
    void deleteKey(engine::StoreRoot root, const std::string& keyPath) override;
    void beginBatch() override;
    void endBatch() override;

    std::string locationOf(engine::StoreRoot root, const std::string& keyPath) const override;

    std::string fileOf(engine::StoreRoot root) const;

private:
    struct Root {
        StoreContent content;
        std::optional<engine::FileStamp> stamp;
        bool loaded = false;
        bool dirty = false;
    };
    Root& load(engine::StoreRoot root);
    void changed(engine::StoreRoot root);
    void flush(engine::StoreRoot root);

    std::string m_folder;
    Root m_roots[3];
    int m_batchDepth = 0;
};

// $XDG_CONFIG_HOME/QUORRIX, or ~/.config/QUORRIX.
std::string defaultStoreFolder();

} // namespace quorrix::platform
