#pragma once

#include <string>
#include <vector>

#include "engine/platform/path_text.h"
#include "engine/run/batch_run.h"
#include "engine/run/run_environment.h"
#include "engine/settings/registry.h"
#include "support/action_fixture.h"
#include "support/memory_key_value_store.h"

namespace quorrix::test {

// A whole run's world: the stand-in, the recording progress window, a registry in memory,
// "." as decimal separator, the temporary folder as program and data folder.
struct RunFixture : ActionFixture {
    RunFixture()
        : registry(store, view, regional)
        , environment { context, registry, regional, shell, dir.path(), dir.path(), {},
            [this] { ++refreshes; }, {}, {}, nullptr, {} }
    {
        shell.tempFolder = dir.path() + engine::kPathSeparator;
    }

    engine::RunReport runList(const std::string& action, const std::vector<std::string>& entries)
    {
        return engine::RunActionCommand(environment, action, entries);
    }

    MemoryKeyValueStore store;
    FixedRegionalFormat regional { '.' };
    RecordingShell shell;
    engine::Registry registry;
    engine::RunEnvironment environment;
    int refreshes = 0;
};

} // namespace quorrix::test
