#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>

#include <tuple>

#include "gui/frm_preview_bitmap.h"
#include "gui/qt_positioned_window.h"
#include "swsim/sim_document_manager.h"
#include "window_fixture.h"

using namespace quorrix;
using gui::frmPreviewBitmap;

namespace {

constexpr const char* kKey = "QRX-TEST-KEY";

struct PreviewTest : ::testing::Test, test::WindowFixture {
    swsim::SimDocumentManager documentManager { *ports.files, std::string(kKey) };
    frmPreviewBitmap view { documentManager, kKey, store, messages };
    int closedByUser = 0;

    PreviewTest()
    {
        QObject::connect(&view, &frmPreviewBitmap::closedByUser, [this] { ++closedByUser; });
    }

    QLabel* box(const char* name) { return view.findChild<QLabel*>(QString::fromLatin1(name)); }
    bool showsPicture() { return !box("imgShow")->pixmap().isNull(); }
    QString title() { return view.windowTitle(); }
};

} // namespace

TEST_F(PreviewTest, ShowsThePreviewOfTheClickedDocument)
{
    const std::string drawing = dir.write("bracket.SLDDRW",
        "[Document]\n[Sheet.1]\nName=A4\nWidth=0.21\nHeight=0.297\nView.1=mode=3\n");
    view.show();
    EXPECT_EQ(title(), "QUORRIX - Preview");
    EXPECT_FALSE(showsPicture());

    view.SWXShowPreviewBitmap(drawing);
    EXPECT_EQ(title(), QString::fromStdString(drawing));
    ASSERT_EQ(view.picture().size(), QSize(240, 180));
    // The portrait sheet's outline starts 63 pixels from the left.
    EXPECT_EQ(view.picture().pixelColor(63, 10), QColor(Qt::black));
    EXPECT_NE(view.picture().pixelColor(62, 10), QColor(Qt::black));
    EXPECT_TRUE(showsPicture());
    QLabel* image = box("imgShow");
    EXPECT_EQ(image->height(), qRound(image->width() * 180.0 / 240.0));
    EXPECT_TRUE(messages.shown().empty());

    // Files the Document Manager cannot open leave picture and title as they are.
    const std::string others[] = { dir.write("old.drw", "[Document]\n"),
        dir.write("notes.txt", "text"), dir.file("missing.SLDPRT"), "" };
    for (const std::string& path : others) {
        SCOPED_TRACE(path);
        view.SWXShowPreviewBitmap(path);
        EXPECT_EQ(title(), QString::fromStdString(drawing));
        EXPECT_EQ(view.picture().size(), QSize(240, 180));
        EXPECT_TRUE(showsPicture());
    }
    view.unload();
}

TEST_F(PreviewTest, DocumentWithoutStoredPreviewShowsNoPicture)
{
    const std::string png = dir.write("gear.SLDPRT", "[Document]\n[Preview]\nStored=png\n");
    const std::string none = dir.write("shaft.SLDPRT", "[Document]\n[Preview]\nStored=none\n");
    view.show();
    view.SWXShowPreviewBitmap(png);
    EXPECT_TRUE(showsPicture());
    EXPECT_EQ(documentManager.calls().back(), "GetPreviewPNGBitmap");

    view.SWXShowPreviewBitmap(none);
    EXPECT_EQ(title(), QString::fromStdString(none));
    EXPECT_TRUE(view.picture().isNull());
    EXPECT_FALSE(showsPicture());
    EXPECT_EQ(box("picHidden")->text(), "Keine Vorschau. Error: 2");
    EXPECT_FALSE(box("picHidden")->isVisible());
    view.unload();
}

// Every click says what went wrong, with no picture: no Document Manager, one that refuses
// the key, and one whose automation fails.
TEST_F(PreviewTest, AFailingDocumentManagerIsReportedOnEveryClick)
{
    struct Failing : engine::DocumentManagerConnector {
        std::shared_ptr<engine::SwDMClassFactory> createClassFactory(const std::string&) override
        {
            throw engine::AutomationError(-2147221005, "Invalid class string");
        }
    } failing;
    swsim::SimDocumentManager refusing(*ports.files, std::string("another key"));
    swsim::SimDocumentManager missing(*ports.files, std::string(kKey));
    missing.setInstalled(false);
    const std::string drawing = dir.write("a.SLDDRW", "[Document]\n");
    const std::tuple<engine::DocumentManagerConnector*, const char*, const char*> rows[]
        = { { &missing, "Ups, kein SwDocManager", "QUORRIX" },
              { &refusing, "Ups, kein SwDocManager", "QUORRIX" },
              { &failing, "Error: -2147221005. Invalid class string", "SWXShowPreviewBitmap" } };
    for (const auto& [manager, text, caption] : rows) {
        SCOPED_TRACE(text);
        messages.clearShown();
        frmPreviewBitmap failed(*manager, kKey, store, messages);
        failed.SWXShowPreviewBitmap(drawing);
        failed.SWXShowPreviewBitmap(drawing);
        ASSERT_EQ(messages.shown().size(), 2u);
        EXPECT_EQ(messages.shown()[1].request.text, text);
        EXPECT_EQ(messages.shown()[1].request.title, caption);
        EXPECT_EQ(messages.shown()[1].request.buttons, engine::MessageButtons::Ok);
        EXPECT_EQ(failed.windowTitle(), "QUORRIX - Preview");
        EXPECT_TRUE(failed.picture().isNull());
    }
}

TEST_F(PreviewTest, CloseBoxUnloadsTheWindowAndTellsTheMainWindow)
{
    view.show();
    view.SWXShowPreviewBitmap(dir.write("a.SLDASM", "[Document]\n"));
    EXPECT_TRUE(view.close());
    EXPECT_EQ(closedByUser, 1);
    EXPECT_FALSE(view.isLoaded());
    EXPECT_FALSE(view.isVisible());
    EXPECT_TRUE(storedPlace("frmPreviewBitmap"));

    // Switching the option off afterwards, or closing an unloaded window, says nothing more.
    view.unload();
    view.close();
    EXPECT_EQ(closedByUser, 1);

    // Opened again, the window starts without a picture; switching it off is no close.
    view.show();
    EXPECT_TRUE(view.picture().isNull());
    EXPECT_EQ(title(), "QUORRIX - Preview");
    view.unload();
    EXPECT_EQ(closedByUser, 1);
}

TEST_F(PreviewTest, HeightFollowsWidthAndReopensWhereItWasLeft)
{
    const gui::ScreenDpi dpi = gui::primaryScreenDpi();
    view.show();
    view.resize(700, 100);
    QApplication::processEvents();
    const int frameExtra = view.frameGeometry().height() - view.height();
    const int outerWidth = view.frameGeometry().width();
    const int expected = gui::twipsToPixels(
        static_cast<int>(std::lround(gui::pixelsToTwips(outerWidth, dpi.x) / 1.43)) + 350, dpi.y);
    EXPECT_EQ(view.height() + frameExtra, expected);
    EXPECT_EQ(box("imgShow")->width(), 700 - gui::twipsToPixels(200, dpi.x));

    // 143 pixels wider makes it 100 pixels taller, give or take the rounding to twips.
    const int before = view.height();
    view.resize(843, before);
    QApplication::processEvents();
    EXPECT_NEAR(view.height() - before, 100, 1);

    view.move(30, 40);
    QApplication::processEvents();
    const QRect left = view.frameGeometry();
    view.unload();
    view.show();
    QApplication::processEvents();
    EXPECT_EQ(view.frameGeometry(), left);
    view.unload();
}
