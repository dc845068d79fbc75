// Speed of storing and reading the whole settings record. Targets: saving a settings file
// takes at most 5 ms and is at least 20 times faster than writing its keys one by one.
#include <benchmark/benchmark.h>

#include <chrono>

#include "engine/settings/multi_language.h"
#include "engine/settings/registry.h"
#include "engine/settings/settings_file.h"
#include "engine/settings/settings_schema.h"
#include "platform/platform_ports.h"
#include "platform/posix/posix_key_value_store.h"
#include "support/fakes.h"
#include "support/settings_samples.h"
#include "support/temp_dir.h"

using namespace quorrix;
using namespace quorrix::engine;

namespace {

struct Fixture {
    platform::PlatformPorts ports = platform::createPlatformPorts();
    test::RecordingMessageBox messages;
    test::FixedRegionalFormat regional { ',' };
    test::TempDir dir;
    clsMultiLanguage texts { *ports.files, messages };
    SettingsFiles files { texts, messages, regional };
    Settings settings = test::unusualSettings(1);
};

void saveOneByOne(Fixture& f, const std::string& path)
{
    for (const SettingsFileKey& key : settingsFileLayout()) {
        if (key.mode != KeyMode::ReadOnly)
            f.texts.INIWriteSetting(
                key.section, key.key, settingText(*key.setting, f.settings, ','), path);
    }
}

double millisecondsOf(const auto& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void RegistrySave(benchmark::State& state, KeyValueStore& store)
{
    test::RecordingMessageBox messages;
    test::FixedRegionalFormat regional { ',' };
    Registry registry(store, messages, regional);
    const Settings settings = test::unusualSettings(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(registry.SaveRegistrySettings(settings));
    state.counters["values"] = static_cast<double>(settingsSchema().size());
}

void RegistryLoad(benchmark::State& state, KeyValueStore& store)
{
    test::RecordingMessageBox messages;
    test::FixedRegionalFormat regional { ',' };
    Registry registry(store, messages, regional);
    registry.SaveRegistrySettings(test::unusualSettings(1));
    for (auto _ : state) {
        Settings settings = defaultSettings();
        registry.LoadRegistrySettings(settings);
        benchmark::DoNotOptimize(settings);
    }
}

void BM_RegistrySaveToStoreFile(benchmark::State& state)
{
    test::TempDir dir;
    platform::PosixKeyValueStore store(dir.path());
    RegistrySave(state, store);
}

void BM_RegistryLoadFromStoreFile(benchmark::State& state)
{
    test::TempDir dir;
    platform::PosixKeyValueStore store(dir.path());
    RegistryLoad(state, store);
}

void BM_SettingsFileSave(benchmark::State& state)
{
    Fixture f;
    const std::string path = f.dir.file("bench.qrxcfg");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            f.files.SaveNewSettingsFile(path, f.settings, { 2026, 12, 6, 12, 0, 0, 0 }));
}

void BM_SettingsFileLoad(benchmark::State& state)
{
    Fixture f;
    const std::string path = f.dir.file("bench.qrxcfg");
    f.files.SaveNewSettingsFile(path, f.settings, { 2026, 12, 6, 12, 0, 0, 0 });
    for (auto _ : state) {
        Settings settings = defaultSettings();
        f.files.LoadSettingsFile(path, false, settings);
        benchmark::DoNotOptimize(settings);
    }
}

// Both ways of saving in the same run, each into a fresh file, and how they compare.
void BM_SettingsFileSaveVersusOneByOne(benchmark::State& state)
{
    Fixture f;
    double whole = 0;
    double single = 0;
    int round = 0;
    for (auto _ : state) {
        const std::string a = f.dir.file("whole" + std::to_string(round) + ".qrxcfg");
        const std::string b = f.dir.file("single" + std::to_string(round) + ".qrxcfg");
        ++round;
        whole += millisecondsOf([&] { f.files.SaveSettingsFile(a, f.settings); });
        single += millisecondsOf([&] { saveOneByOne(f, b); });
    }
    state.counters["save_ms"] = whole / round;
    state.counters["one_by_one_ms"] = single / round;
    state.counters["speedup"] = single / whole;
}

} // namespace

BENCHMARK(BM_RegistrySaveToStoreFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegistryLoadFromStoreFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SettingsFileSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SettingsFileLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SettingsFileSaveVersusOneByOne)->Unit(benchmark::kMillisecond)->Iterations(20);
