#include <gtest/gtest.h>

#include <filesystem>

#include "engine/actions/export_model_3d.h"
#include "engine/platform/path_text.h"
#include "support/action_fixture.h"

namespace quorrix::engine {
namespace {

enum class Folder { Model, Configured, Missing };

TEST(ExportModel3DTest, PathErrorLinesAndClosingByCase)
{
    struct Row {
        const char* name;
        const char* text;
        std::int32_t type;
        const char* extension;
        Folder folder;
        bool prePost;
        bool closeAfter;
        const char* saved; // file name in the expected folder, or none
        std::vector<int> errorInfos {};
    };
    const Row rows[] = {
        { "bracket.SLDPRT", "", kSwDocPart, "step", Folder::Model, false, true, "bracket.step" },
        // The title decides the name: without its extension it loses everything from the dot.
        { "unit.SLDASM", "[Document]\nTitle=unit.v2\n", kSwDocAssembly, "x_t", Folder::Configured,
            false, false, "unit.x_t" },
        { "shaft.SLDPRT", "", kSwDocPart, "igs", Folder::Missing, false, true, "shaft.igs",
            { 120 } },
        { "shaft.SLDPRT", "", kSwDocPart, "stl", Folder::Model, true, true,
            "X_2026-12-05_shaft-B.stl" },
        { "shaft.SLDPRT", "[Document]\n[Faults]\nSaveError=3\n", kSwDocPart, "sat", Folder::Model,
            false, true, nullptr, { 116 } },
        // SolidWorks reports success but leaves nothing usable behind.
        { "shaft.SLDPRT", "[Document]\n[Faults]\nEmptyOutput=1\n", kSwDocPart, "wrl",
            Folder::Missing, false, true, "shaft.wrl", { 120, 116 } },
        { "plate.SLDDRW", "", kSwDocDrawing, "step", Folder::Model, false, true, nullptr, { 115 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + row.extension);
        test::ActionFixture run;
        const auto doc = run.open(run.document(row.name, row.text), row.type);
        const std::string out = run.dir.file("out");
        std::filesystem::create_directory(pathFromUtf8(out));
        run.settings.ThreeDSaveInModelFolder = row.folder == Folder::Model ? 1 : 0;
        run.settings.ThreeDSaveFolder = row.folder == Folder::Missing ? run.dir.file("gone") : out;
        run.settings.PrePostUseit = row.prePost ? 1 : 0;
        run.settings.PrePostPrefix[0] = "X_:y-:m-:d_";
        run.settings.PrePostPostfix[0] = "-B";
        std::string errors;
        ExportModel3D(run.context, "EXPORT3D", row.extension, *run.connection.swApp(), *doc,
            row.closeAfter, errors, "m");

        std::string expected;
        for (int number : row.errorInfos)
            expected += "m " + run.info(number) + "\r\n";
        EXPECT_EQ(errors, expected);
        const bool model = row.type != kSwDocDrawing;
        EXPECT_EQ(run.calls("SaveAs2").size(), model ? 1u : 0u);
        EXPECT_EQ(run.calls("CloseDoc").size(), model && row.closeAfter ? 1u : 0u);
        if (model) {
            EXPECT_EQ(run.view.label(RunLabel::Sheet), run.info(23) + " " + row.extension);
        }
        if (row.saved) {
            const std::string file = (row.folder == Folder::Configured ? out : run.dir.path())
                + kPathSeparator + row.saved;
            EXPECT_EQ(run.sim.journal().calls("SaveAs2").at(0).args,
                (std::vector<std::string> { "\"" + file + "\"", "0", "True", "False" }));
            EXPECT_TRUE(std::filesystem::exists(pathFromUtf8(file)));
        }
    }
}

TEST(ExportModel3DTest, StoredFormatSelectsItsRowExactlyAndSurvivesNoChoice)
{
    EXPECT_EQ(formatIndex(kExport3DFormats, "x_t"), 0);
    EXPECT_EQ(formatIndex(kExport3DFormats, "xaml"), 9);
    EXPECT_EQ(formatIndex(kExport3DFormats, "IGS"), -1);
    EXPECT_EQ(chosenExtension(kExport3DFormats, 3, "x_t"), "step");
    EXPECT_EQ(chosenExtension(kExport3DFormats, -1, "stp"), "stp"); // no row: kept as stored
}

} // namespace
} // namespace quorrix::engine
