#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "engine/platform/ini_document.h"
#include "engine/platform/path_text.h"
#include "engine/printlist/assembly_package.h"
#include "engine/printlist/print_list_file.h"
#include "engine/run/multi_job.h"
#include "engine/settings/settings_schema.h"
#include "platform/platform_ports.h"
#include "support/temp_dir.h"
#include "swsim/model/document_model.h"
#include "swsim/sim_document_manager.h"

namespace quorrix::app {
namespace {

// The examples that ./build.sh run works on, checked where they live in the sources.
const std::string kExamples = QUORRIX_EXAMPLES_DIR;

std::string read(const std::string& name)
{
    return test::readFileBytes(kExamples + "/" + name);
}

TEST(ExamplesTest, DocumentsReadAsTheirTypeAndOneIsSetToFail)
{
    std::set<std::string> documents;
    int failing = 0;
    for (const auto& entry : std::filesystem::directory_iterator(engine::pathFromUtf8(kExamples))) {
        const std::string name = engine::utf8FromPath(entry.path().filename());
        const std::int32_t type = swsim::documentTypeFromPath(name);
        if (type == engine::kSwDocNone)
            continue;
        documents.insert(name);
        const std::string bytes = read(name);
        ASSERT_NE(bytes.find("[Document]"), std::string::npos) << name;
        const swsim::DocumentModel model = swsim::parseDocumentModel(name, bytes);
        EXPECT_EQ(model.type, type) << name;
        EXPECT_EQ(model.title, name);
        if (model.faults.openError || model.faults.saveError != 0)
            ++failing;
        if (type == engine::kSwDocDrawing) {
            EXPECT_FALSE(model.sheets.empty()) << name;
        }
    }
    EXPECT_GE(documents.size(), 15u);
    EXPECT_EQ(failing, 1);

    const std::vector<std::string> listed = engine::parsePrintListText(read("pump.qrx"));
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), documents);
    EXPECT_EQ(listed.size(), documents.size());
}

TEST(ExamplesTest, SettingsFilesUseKnownKeysAndJobSteps)
{
    const auto& steps = engine::jobStepVocabulary();
    for (const char* file : { "pump-drawings.qrxcfg", "pump-models.qrxcfg" }) {
        const engine::IniDocument ini = engine::IniDocument::parse(read(file));
        for (const std::string& section : ini.sectionNames()) {
            for (const auto& [key, value] : ini.sectionEntries(section)) {
                const auto& layout = engine::settingsFileLayout();
                const auto found
                    = std::find_if(layout.begin(), layout.end(), [&, &name = key](const auto& k) {
                          return engine::equalsIgnoringCase(k.section, section)
                              && engine::equalsIgnoringCase(k.key, name);
                      });
                ASSERT_NE(found, layout.end()) << file << " [" << section << "] " << key;
                engine::Settings settings = engine::defaultSettings();
                EXPECT_TRUE(engine::assignSetting(
                    *found->setting, settings, value, '.', engine::TextSource::SettingsFile))
                    << file << " " << key << "=" << value;
                if (key.starts_with("MultiJobAction")) {
                    EXPECT_NE(std::find(steps.begin(), steps.end(), value), steps.end())
                        << file << " " << value;
                }
            }
        }
    }
}

TEST(ExamplesTest, GearPumpGivesItsDrawingsInBillOfMaterialsOrder)
{
    const platform::PlatformPorts ports = platform::createPlatformPorts();
    swsim::SimDocumentManager documentManager(*ports.files);
    const engine::AssemblyPackage package = engine::ExpandAssembly(
        documentManager, "key", *ports.files, kExamples + "/GP25-000 Gear pump.SLDASM", {});
    const auto names = [](const std::vector<std::string>& paths) {
        std::string out;
        for (const std::string& path : paths)
            out += engine::utf8FromPath(engine::pathFromUtf8(path).filename()) + "\n";
        return out;
    };
    EXPECT_EQ(names(package.documents),
        "GP25-000 Gear pump.SLDDRW\nGP25-001 Housing.SLDDRW\nGP25-004 Gasket.SLDDRW\n"
        "GP25-002 Front cover.SLDDRW\nGP25-003 Rear cover.SLDDRW\nGP25-101 Drive gear.SLDDRW\n"
        "GP25-103 Drive shaft.SLDDRW\nGP25-200 Relief valve.SLDDRW\n");
    EXPECT_EQ(names(package.withoutDrawing),
        "GP25-100 Gear set.SLDASM\nGP25-102 Driven gear.SLDPRT\nGP25-104 Idler shaft.SLDPRT\n"
        "GP25-201 Valve spring.SLDPRT\n");
    EXPECT_TRUE(package.missing.empty() && package.cycles.empty() && package.unreadable.empty());
}

} // namespace
} // namespace quorrix::app
