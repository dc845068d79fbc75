#pragma once

#include <string>

#include "engine/settings/multi_language.h"
#include "engine/settings/registry.h"
#include "gui/message_boxes.h"
#include "platform/platform_ports.h"
#include "support/memory_key_value_store.h"
#include "support/temp_dir.h"

namespace quorrix::test {

// Where the windows keep their place.
inline const std::string kPositions = std::string(engine::kProgramKey) + "\\Form Positions";

// One of the program's windows on its own: the real files, the language, message boxes that
// answer unattended, the settings store in memory and a folder for the test's files.
struct WindowFixture {
    WindowFixture() { messages.setUnattended(true); }

    void useLanguageFile(const std::string& content, const char* name = "QUORRIX-lng_user.ini")
    {
        language.IniFile(dir.write(name, content));
    }
    std::optional<engine::StoredValue> storedPlace(const char* window)
    {
        return store.read(engine::StoreRoot::CurrentUser, kPositions, window);
    }

    platform::PlatformPorts ports = platform::createPlatformPorts();
    gui::MessageBoxes messages;
    engine::clsMultiLanguage language { *ports.files, messages };
    MemoryKeyValueStore store;
    TempDir dir;
};

} // namespace quorrix::test
