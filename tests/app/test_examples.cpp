#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "engine/platform/ini_document.h"
#include "engine/platform/path_text.h"
#include "engine/printlist/print_list_file.h"
#include "engine/run/multi_job.h"
#include "engine/settings/settings_schema.h"
#include "support/temp_dir.h"
#include "swsim/model/document_model.h"

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

} // namespace
} // namespace quorrix::app
