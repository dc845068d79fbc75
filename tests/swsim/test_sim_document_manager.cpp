#include <gtest/gtest.h>

#include <array>

#include "platform/platform_ports.h"
#include "support/temp_dir.h"
#include "swsim/model/document_model.h"
#include "swsim/preview_picture.h"
#include "swsim/sim_document_manager.h"

namespace quorrix::swsim {
namespace {

using engine::DmPicture;
using Outcome = engine::PreviewReading::Outcome;
using Rgba = std::array<int, 4>;

constexpr const char* kKey = "QRX-TEST-KEY";

Rgba pixel(const DmPicture& picture, int x, int y)
{
    const std::size_t at = (static_cast<std::size_t>(y) * picture.width + x) * 4;
    return { picture.rgba.at(at), picture.rgba.at(at + 1), picture.rgba.at(at + 2),
        picture.rgba.at(at + 3) };
}

DocumentModel drawing(double width, double height, int views)
{
    DocumentModel model;
    model.type = engine::kSwDocDrawing;
    model.sheets.push_back({ "Sheet1", 8, width, height, std::vector<ViewModel>(views) });
    return model;
}

TEST(PreviewPictureTest, DrawingShowsItsFirstSheetInItsProportions)
{
    struct Row {
        double width; // metres
        double height;
        int left; // the sheet's outline in pixels, centred with 10 pixels to spare
        int top;
        int outlineWidth;
        int outlineHeight;
    };
    const Row rows[] = {
        { 0.42, 0.297, 10, 12, 220, 156 }, // A3 landscape: as wide as there is room
        { 0.21, 0.297, 63, 10, 113, 160 }, // A4 portrait: as tall as there is room
        { 0.22, 0.16, 10, 10, 220, 160 }, // exactly the room
        { 2.0, 0.01, 10, 89, 220, 2 }, // a strip stays visible
    };
    const Rgba black { 0, 0, 0, 255 };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.width);
        const DmPicture picture = renderPreview(drawing(row.width, row.height, 1));
        ASSERT_TRUE(picture.isValid());
        EXPECT_EQ(picture.width, kPreviewWidth);
        EXPECT_EQ(picture.height, kPreviewHeight);
        const Rgba background = pixel(picture, 0, 0);
        const int right = row.left + row.outlineWidth - 1;
        const int bottom = row.top + row.outlineHeight - 1;
        EXPECT_EQ(pixel(picture, row.left, row.top), black);
        EXPECT_EQ(pixel(picture, right, bottom), black);
        EXPECT_EQ(pixel(picture, row.left - 1, row.top), background);
        EXPECT_EQ(pixel(picture, row.left, row.top - 1), background);
        EXPECT_EQ(pixel(picture, right + 1, bottom), background);
        EXPECT_EQ(pixel(picture, right, bottom + 1), background);
    }
}

TEST(PreviewPictureTest, ViewsAndModelsAreDrawnTheSameWayEveryTime)
{
    // One view more adds a view box: the pictures differ, but each is stable.
    EXPECT_EQ(renderPreview(drawing(0.42, 0.297, 2)), renderPreview(drawing(0.42, 0.297, 2)));
    EXPECT_NE(renderPreview(drawing(0.42, 0.297, 2)), renderPreview(drawing(0.42, 0.297, 3)));

    DocumentModel part;
    part.type = engine::kSwDocPart;
    part.title = "gear";
    DocumentModel assembly = part;
    assembly.type = engine::kSwDocAssembly;
    const DmPicture partPicture = renderPreview(part);
    // The front face in a corner of the "G", and the letter's top bar.
    EXPECT_NE(pixel(partPicture, 75, 75), pixel(renderPreview(assembly), 75, 75));
    EXPECT_EQ(pixel(partPicture, 100, 84), (Rgba { 250, 250, 250, 255 }));
    part.title = "-- --"; // nothing to mark the box with
    EXPECT_EQ(pixel(renderPreview(part), 100, 84), pixel(partPicture, 75, 75));
}

struct DocumentManagerTest : ::testing::Test {
    test::TempDir dir;
    platform::PlatformPorts ports = platform::createPlatformPorts();
    SimDocumentManager manager { *ports.files, std::string(kKey) };

    engine::PreviewReading read(
        const std::string& path, std::int32_t type, const std::string& key = kKey)
    {
        return engine::ReadPreviewPicture(manager, key, path, type);
    }
};

TEST_F(DocumentManagerTest, ReadsThePreviewAFileStores)
{
    struct Row {
        const char* name;
        const char* text;
        std::int32_t type;
        Outcome outcome;
        std::int32_t resultCode;
        std::vector<std::string> previewCalls;
    };
    const std::vector<std::string> both { "GetPreviewBitmap", "GetPreviewPNGBitmap" };
    const Row rows[] = {
        { "a.SLDDRW", "[Document]\nTitle=a\n", 3, Outcome::Picture, 0, { "GetPreviewBitmap" } },
        { "b.SLDPRT", "not the stand-in's format", 1, Outcome::Picture, 0, { "GetPreviewBitmap" } },
        { "c.SLDASM", "[Document]\n[Preview]\nStored=PNG\n", 2, Outcome::Picture, 0, both },
        { "d.SLDPRT", "[Document]\n[Preview]\nStored=none\n", 1, Outcome::NoPicture, 2, both },
        // The type must match the file, and the old short extensions have none.
        { "e.SLDDRW", "[Document]\n", 1, Outcome::NoDocument, 0, {} },
        { "f.drw", "[Document]\n", 0, Outcome::NoDocument, 0, {} },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        manager.clearCalls();
        const std::string path = dir.write(row.name, row.text);
        const engine::PreviewReading reading = read(path, row.type);
        EXPECT_EQ(reading.outcome, row.outcome);
        EXPECT_EQ(reading.resultCode, row.resultCode);
        EXPECT_EQ(reading.picture.isValid(), row.outcome == Outcome::Picture);
        std::vector<std::string> expected { "createClassFactory(SwDocumentMgr.SwDMClassFactory)",
            "GetApplication", "GetDocument(" + path + "," + std::to_string(row.type) + ",0)" };
        expected.insert(expected.end(), row.previewCalls.begin(), row.previewCalls.end());
        EXPECT_EQ(manager.calls(), expected);
    }
}

TEST_F(DocumentManagerTest, MissingFileWrongKeyOrNoDocumentManagerGiveNothing)
{
    const std::string drawingPath = dir.write("a.SLDDRW", "[Document]\n");
    EXPECT_EQ(read(dir.file("missing.SLDDRW"), 3).outcome, Outcome::NoDocument);
    EXPECT_EQ(read(drawingPath, 3, "wrong key").outcome, Outcome::NoDocumentManager);
    manager.setInstalled(false);
    EXPECT_EQ(read(drawingPath, 3).outcome, Outcome::NoDocumentManager);
    EXPECT_EQ(manager.calls().back(), "createClassFactory(SwDocumentMgr.SwDMClassFactory)");

    manager.setInstalled(true);
    std::int32_t openError = -1;
    auto application
        = manager.createClassFactory(engine::kDocumentManagerClassName)->GetApplication(kKey);
    EXPECT_FALSE(application->GetDocument(dir.file("missing.SLDDRW"), 3, false, openError));
    EXPECT_EQ(openError, engine::kDmDocumentOpenErrorFileNotFound);
    EXPECT_FALSE(application->GetDocument(dir.path(), 3, false, openError));
    EXPECT_TRUE(application->GetDocument(drawingPath, 3, false, openError));
    EXPECT_EQ(openError, engine::kDmDocumentOpenErrorNone);

    // Without a fixed key the stand-in takes any key but an empty one.
    SimDocumentManager open(*ports.files);
    EXPECT_TRUE(open.createClassFactory("swdocumentmgr.swdmclassfactory")->GetApplication("x"));
    EXPECT_FALSE(open.createClassFactory(engine::kDocumentManagerClassName)->GetApplication(""));
}

} // namespace
} // namespace quorrix::swsim
