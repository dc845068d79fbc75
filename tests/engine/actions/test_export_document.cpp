#include <gtest/gtest.h>

#include <filesystem>

#include "engine/actions/export_document.h"
#include "engine/platform/path_text.h"
#include "support/action_fixture.h"
#include "support/memory_key_value_store.h"
#include "support/output_readers.h"

namespace quorrix::engine {
namespace {

constexpr const char* kAddIn = "/opt/bluebeam/BbSldWksPdfLt.dll";
constexpr int kTwoLines = 2; // the two-line form of a refused extended save, with nErr 5

struct DocExport : test::ActionFixture {
    explicit DocExport(bool drawing = true, const std::string& faults = {})
        : name(drawing ? "plate.SLDDRW" : "bracket.SLDPRT")
    {
        const std::string sheets = "[Sheet.1]\nName=Front\n[Sheet.2]\nName=Detail\n"
                                   "[Sheet.3]\nName=Back\n";
        doc = open(document(name, "[Document]\n" + (drawing ? sheets : "") + faults),
            drawing ? kSwDocDrawing : kSwDocPart);
        pdfAddInPath = kAddIn;
    }
    void run(const std::string& extension, bool closeAfter = true)
    {
        ExportDocument(
            context, "EXPORTDOC", extension, *connection.swApp(), *doc, closeAfter, errors, name);
    }
    // "+x": sheet names must contain x; "-x": they must not.
    void filter(const std::string& rule)
    {
        settings.FilterActive = 1;
        (rule[0] == '+' ? settings.ActiveFilter.Contain0 : settings.ActiveFilter.NotContain0)
            = rule.substr(1);
    }
    std::string output(const std::string& extension)
    {
        return dir.file(name.substr(0, name.find('.')) + "." + extension);
    }
    bool written(const std::string& extension)
    {
        return std::filesystem::exists(pathFromUtf8(output(extension)));
    }

    std::string name;
    std::shared_ptr<SwDocument> doc;
    std::string errors;
};

TEST(ExportDocumentTest, RevisionFilterAndDocumentChooseTheWayOfSaving)
{
    struct Row {
        const char* revision;
        bool drawing;
        bool filter; // leaves out the sheet "Detail"
        bool as3D;
        const char* extension;
        bool addInLoaded;
        bool extended; // the extension's SaveAs, else SaveAs2
        std::size_t pages; // 0: not a PDF
        bool pdf3D;
    };
    const Row rows[] = {
        { "14.3.0", true, false, false, "pdf", true, false, 3, false },
        { "14.3.0", true, false, false, "jpg", false, false, 0, false },
        { "14.4.0", true, true, false, "pdf", false, false, 3, false },
        { "15.0.0", true, true, false, "pdf", false, false, 3, false },
        { "15.1.0", true, true, false, "pdf", false, true, 2, false },
        { "15.1.0", true, false, false, "pdf", false, false, 3, false },
        { "30.0.0", true, true, true, "pdf", false, true, 2, true },
        { "30.0.0", true, true, false, "jpg", false, false, 0, false },
        { "16.0.0", false, false, true, "pdf", false, false, 1, false },
        { "16.1.0", false, false, true, "pdf", false, true, 1, true },
        { "16.1.0", false, true, false, "pdf", false, true, 1, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.revision) + " " + row.extension + (row.drawing ? " dr" : " pt")
            + (row.filter ? " filter" : ""));
        DocExport run(row.drawing);
        run.sim.installation().revision = row.revision;
        if (row.filter)
            run.filter("-Detail");
        run.settings.ExpDocExport3DPDF = row.as3D ? 1 : 0;
        run.run(row.extension);

        EXPECT_EQ(run.errors, "");
        EXPECT_EQ(run.calls("LoadAddIn"),
            row.addInLoaded ? std::vector<std::string> { "SldWorks.LoadAddIn(\""
                + std::string(kAddIn) + "\") -> -1" }
                            : std::vector<std::string> {});
        EXPECT_EQ(run.calls("SaveAs").size(), row.extended ? 1u : 0u);
        EXPECT_EQ(run.calls("SaveAs2").size(), row.extended ? 0u : 1u);
        ASSERT_TRUE(run.written(row.extension));
        const std::string bytes = test::readFileBytes(run.output(row.extension));
        if (row.pages > 0) {
            EXPECT_EQ(test::parsePdf(bytes).size(), row.pages);
            EXPECT_EQ(bytes.find("\\(3D\\)") != std::string::npos, row.pdf3D);
        }
        if (row.extended && row.drawing) {
            EXPECT_EQ(
                run.sim.journal().calls("SetSheets").at(0).args.at(1), R"({"Front", "Back"})");
        }
        EXPECT_EQ(run.calls("CloseDoc").size(), 1u);
    }
}

TEST(ExportDocumentTest, EveryFailureGivesItsErrorLineAndNoFalseSuccess)
{
    struct Row {
        const char* label;
        bool drawing;
        const char* faults;
        const char* filter; // a rule for filter(), or off
        bool missingFolder;
        std::vector<int> lines; // info texts of the error lines, or kTwoLines
        bool fileLeft;
        std::size_t saves; // calls of SaveAs and SaveAs2
    };
    const char* refused = "[Faults]\nSaveError=5\n";
    const char* empty = "[Faults]\nEmptyOutput=1\n";
    const char* noData = "[Faults]\nNoExportData=1\n";
    const Row rows[] = {
        { "missing folder", true, "", nullptr, true, { 119 }, true, 1 },
        { "plain refused", true, refused, nullptr, false, { 121 }, false, 1 },
        { "plain empty", true, empty, nullptr, false, { 121 }, true, 1 },
        { "filtered refused", true, refused, "-Detail", false, { kTwoLines }, false, 1 },
        { "filtered empty", true, empty, "-Detail", true, { 119, 118 }, true, 1 },
        { "filtered, no data", true, noData, "-Detail", false, { 130 }, false, 0 },
        { "3D, no data", false, noData, nullptr, false, { 130 }, false, 0 },
        { "3D refused", false, refused, nullptr, false, { kTwoLines }, false, 1 },
        { "all filtered", true, "", "+Zzz", false, { 131 }, false, 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        DocExport run(row.drawing, row.faults);
        if (row.filter)
            run.filter(row.filter);
        if (row.missingFolder) {
            run.settings.ExpDocSaveInModelFolder = 0;
            run.settings.ExpDocSaveFolder = run.dir.file("gone");
        }
        run.run("pdf");

        std::string expected;
        for (int number : row.lines) {
            expected += number == kTwoLines ? run.name
                    + " nErr:5 nWarn:0 (1024 = no eDrawings Pro)\r\n" + run.info(118) + "\r\n"
                                            : run.name + " " + run.info(number) + "\r\n";
        }
        EXPECT_EQ(run.errors, expected);
        EXPECT_EQ(run.written("pdf"), row.fileLeft);
        EXPECT_EQ(run.calls("SaveAs").size() + run.calls("SaveAs2").size(), row.saves);
        EXPECT_TRUE(run.view.shown.empty()); // the error line tells it; no box
        EXPECT_EQ(run.calls("CloseDoc").size(), 1u);
    }
}

TEST(ExportDocumentTest, JpgTakesNamePdfLineWeightsAndStaysOpenWhenAsked)
{
    DocExport run;
    run.settings.PrePostUseit = 1;
    run.settings.PrePostPrefix[0] = "P-";
    run.settings.PrePostPostfix[0] = "_:y";
    run.settings.ExpDocSaveInModelFolder = 0;
    run.settings.ExpDocSaveFolder = run.dir.path();
    run.settings.PrinterLines[14] = defaultPrinterLineSettings();
    run.settings.PrinterLines[14].UsePrinterLines = 1;
    run.settings.PrinterLines[14].Weights[0] = 0.0003;
    run.run("jpg", false);

    EXPECT_EQ(run.errors, "");
    EXPECT_TRUE(std::filesystem::exists(pathFromUtf8(run.dir.file("P-plate_2026.jpg"))));
    EXPECT_DOUBLE_EQ(run.doc->GetUserPreferenceDoubleValue(48), 0.0003);
    EXPECT_TRUE(run.calls("CloseDoc").empty());
    EXPECT_EQ(run.view.label(RunLabel::Sheet), run.info(23) + " jpg");
}

TEST(ExportDocumentTest, FindBluebeamAddInReadsTheInstallFolder)
{
    const std::string key = "SOFTWARE\\Bluebeam Software\\Pushbutton PDF\\SolidWorks";
    using Row = std::tuple<StoreRoot, std::optional<StoredValue>, bool, bool>;
    const Row rows[] = {
        { StoreRoot::LocalMachine, StoredValue::text("C:\\BB"), false, true },
        { StoreRoot::LocalMachine, std::nullopt, false, false },
        { StoreRoot::CurrentUser, StoredValue::text("C:\\BB"), false, false },
        { StoreRoot::LocalMachine, StoredValue::text(""), false, false },
        { StoreRoot::LocalMachine, StoredValue::dword(1), false, false },
        { StoreRoot::LocalMachine, StoredValue::text("C:\\BB"), true, false },
    };
    for (const auto& [root, value, failing, found] : rows) {
        test::MemoryKeyValueStore store;
        if (value)
            store.write(root, key, "InstallFolder", *value);
        if (failing)
            store.failOn("InstallFolder");
        EXPECT_EQ(FindBluebeamAddIn(store),
            found ? std::string("C:\\BB") + kPathSeparator + "BbSldWksPdfLt.dll" : "");
    }
}

} // namespace
} // namespace quorrix::engine
