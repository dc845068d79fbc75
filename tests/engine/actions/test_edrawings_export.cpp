#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "engine/actions/edrawings_export.h"
#include "engine/platform/path_text.h"
#include "support/action_fixture.h"
#include "swsim/sim_document.h"

namespace quorrix::engine {
namespace {

constexpr const char* kDrawing = "[Document]\n[Sheet.1]\nName=Front\n[Sheet.2]\nName=Detail\n"
                                 "[Sheet.3]\nName=Back\n";
constexpr const char* kAssembly = "[Document]\nConfigurations=Default,Variant\n";
constexpr int kTwoLines = 2; // the two-line form of a refused SaveAs4

// A document SolidWorks reports as neither part, assembly nor drawing.
class OtherTypeDocument : public swsim::SimDocument {
public:
    using SimDocument::SimDocument;
    std::int32_t GetType() override { return kSwDocNone; }
};

struct EDrawings : test::ActionFixture {
    EDrawings(const std::string& fileName, const std::string& text)
        : name(fileName)
    {
        const std::string suffix = fileName.substr(fileName.find('.') + 1);
        doc = open(document(fileName, text),
            suffix == "SLDPRT" ? kSwDocPart
                               : (suffix == "SLDASM" ? kSwDocAssembly : kSwDocDrawing));
        // Names must contain the first part and must not contain the second.
        settings.ActiveFilter = { suffix == "SLDDRW" ? "" : "Var", "", "Detail", "" };
    }
    void run(bool closeAfter = true, SwDocument* document = nullptr)
    {
        SaveAsEDrawings(context, "EXPORTEDRAWINGS", *connection.swApp(),
            document ? *document : *doc, closeAfter, errors, name);
    }
    std::string output(const std::string& extension)
    {
        return dir.file(name.substr(0, name.find('.')) + "." + extension);
    }
    // The names in the saved file, one per line after its heading; empty without a file.
    std::vector<std::string> exported(const std::string& extension)
    {
        std::vector<std::string> names;
        if (!std::filesystem::exists(pathFromUtf8(output(extension))))
            return names;
        std::istringstream lines(test::readFileBytes(output(extension)));
        std::string line;
        std::getline(lines, line);
        while (std::getline(lines, line))
            names.push_back(line);
        return names;
    }
    std::string lines(const std::vector<int>& numbers, int nErr)
    {
        std::string text;
        for (int number : numbers) {
            text += name
                + (number == kTwoLines ? " nErr:" + std::to_string(nErr)
                            + " nWarn:0 (1024 = no eDrawings Pro)\r\n" + info(118)
                                       : " " + info(number))
                + "\r\n";
        }
        return text;
    }

    std::string name;
    std::shared_ptr<SwDocument> doc;
    std::string errors;
};

TEST(EDrawingsExportTest, DocumentTypeGivesTheExtensionAndOptionsGoFirst)
{
    using Row = std::tuple<const char*, const char*, const char*, std::vector<std::string>>;
    const Row rows[] = {
        { "bracket.SLDPRT", "", "eprt", { "Default" } },
        { "unit.SLDASM", kAssembly, "easm", { "Default", "Variant" } },
        { "plate.SLDDRW", kDrawing, "edrw", { "Front", "Detail", "Back" } },
    };
    for (const auto& [file, text, extension, exported] : rows) {
        SCOPED_TRACE(file);
        EDrawings run(file, text);
        run.settings.EDrawingsCompress = 1;
        run.settings.EDrawingsSave2STL = 1;
        run.settings.EDrawingsSaveShaded = -1; // a flag-style true is not the check box's 1
        run.run();
        EXPECT_EQ(run.errors, "");
        EXPECT_EQ(run.exported(extension), exported);
        EXPECT_EQ(run.calls("SetUserPreferenceToggle"),
            (std::vector<std::string> { "SldWorks.SetUserPreferenceToggle(160, True) -> True",
                "SldWorks.SetUserPreferenceToggle(212, False) -> True",
                "SldWorks.SetUserPreferenceToggle(221, True) -> True",
                "SldWorks.SetUserPreferenceToggle(218, False) -> True" }));
        EXPECT_EQ(run.view.label(RunLabel::Sheet), run.info(23) + " " + extension);
        EXPECT_EQ(run.calls("CloseDoc").size(), 1u);
    }

    EDrawings other("bracket.SLDPRT", "");
    OtherTypeDocument document(dynamic_cast<swsim::SimDocument&>(*other.doc).context());
    other.run(true, &document);
    EXPECT_EQ(other.errors, other.lines({ 115 }, 0));
    EXPECT_TRUE(other.calls("SetUserPreferenceToggle").empty());
    EXPECT_TRUE(other.calls("CloseDoc").empty());
}

TEST(EDrawingsExportTest, SheetNameFilterSelectsAndFailuresGiveTheirLines)
{
    struct Row {
        const char* label;
        const char* file;
        std::string text;
        std::int16_t filterActive;
        std::int16_t useFilter;
        bool professional;
        bool missingFolder;
        const char* selection; // sent to SolidWorks; nullptr: plain save
        std::vector<std::string> exported;
        std::vector<int> lines {}; // info texts of the error lines, or kTwoLines
        int nErr = 0;
    };
    const char* u = "unit.SLDASM";
    const std::string a = kAssembly;
    const std::string refused = a + "[Faults]\nSaveError=7\n";
    const std::string empty = a + "[Faults]\nEmptyOutput=1\n";
    const char* v = "Variant\n";
    const std::vector<std::string> both { "Default", "Variant" };
    const Row rows[] = {
        { "configurations", u, a, 1, 1, true, false, v, { "Variant" } },
        { "sheets", "plate.SLDDRW", kDrawing, 1, 1, true, false, "Front\nBack\n",
            { "Front", "Back" } },
        { "option off", u, a, 1, 0, true, false, nullptr, both },
        { "filter off", u, a, 0, 1, true, false, nullptr, both },
        // The two switches are combined bit by bit.
        { "filter 2", u, a, 2, 1, true, true, nullptr, both, { 117 } },
        { "no Professional", u, a, 1, 1, false, false, v, {}, { kTwoLines }, 1024 },
        { "selection refused", u, refused, 1, 1, true, false, v, {}, { kTwoLines }, 7 },
        { "selection empty file", u, empty, 1, 1, true, true, v, {}, { 117, 118 } },
        { "plain refused", u, refused, 0, 0, true, false, nullptr, {}, { 118 } },
        { "plain empty file", u, empty, 0, 0, true, false, nullptr, {}, { 118 } },
        { "nothing passes", "bracket.SLDPRT", "", 1, 1, true, false, nullptr, {}, { 131 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        EDrawings run(row.file, row.text);
        run.sim.installation().eDrawingsProfessional = row.professional;
        run.settings.FilterActive = row.filterActive;
        run.settings.EDrawingsProUseSheetnameFilter = row.useFilter;
        if (row.missingFolder) {
            run.settings.EDrawingsSaveInModelFolder = 0;
            run.settings.EDrawingsSaveFolder = run.dir.file("gone");
        }
        run.run(false);

        const std::string file = row.file;
        const std::string extension = file.ends_with("SLDASM") ? "easm"
            : file.ends_with("SLDDRW")                         ? "edrw"
                                                               : "eprt";
        EXPECT_EQ(run.errors, run.lines(row.lines, row.nErr));
        EXPECT_EQ(run.exported(extension), row.exported);
        const auto app = run.connection.swApp();
        EXPECT_EQ(run.calls("SaveAs4").size(), row.selection ? 1u : 0u);
        if (row.selection) {
            EXPECT_EQ(app->GetUserPreferenceIntegerValue(237), 3);
            EXPECT_EQ(app->GetUserPreferenceStringListValue(1), row.selection);
        } else {
            EXPECT_TRUE(run.calls("SetUserPreferenceIntegerValue").empty());
            EXPECT_TRUE(run.calls("SetUserPreferenceStringListValue").empty());
        }
        EXPECT_TRUE(run.calls("CloseDoc").empty());
    }
}

TEST(EDrawingsExportTest, PrePostfixCanReplaceTheName)
{
    EDrawings run("plate.SLDDRW", kDrawing);
    run.settings.PrePostUseit = 1;
    run.settings.PrePostIndex = 9;
    run.settings.PrePostIgnoreSWXFilename[9] = 1;
    run.settings.PrePostPrefix[9] = "D:d";
    run.run();
    EXPECT_EQ(run.errors, "");
    EXPECT_TRUE(std::filesystem::exists(pathFromUtf8(run.dir.file("D05.edrw"))));
}

} // namespace
} // namespace quorrix::engine
