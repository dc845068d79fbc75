#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "engine/settings/form_pos.h"
#include "engine/settings/registry.h"
#include "gui/qt_positioned_window.h"
#include "gui/qt_z_ordered_window.h"
#include "support/memory_key_value_store.h"

using namespace quorrix;
using engine::StoredValue;
using engine::StoreRoot;

namespace {

const std::string kPositions = std::string(engine::kProgramKey) + "\\Form Positions";

struct PositionTest : ::testing::Test {
    test::MemoryKeyValueStore store;
    QWidget window;
    engine::CFormPos pos { store, "QUORRIX" };

    void bind(gui::QtPositionedWindow& adapter)
    {
        window.setObjectName("frmTIFFOptions");
        engine::bindToProgramKey(pos, adapter, engine::kProgramKey);
    }
    void storeText(const std::string& text)
    {
        store.write(StoreRoot::CurrentUser, kPositions, "frmTIFFOptions", StoredValue::text(text));
    }
};

} // namespace

TEST(TwipsTest, PixelsAndTwipsConvertThroughTheLogicalDpi)
{
    struct Row {
        int pixels;
        double dpi;
        std::int32_t twips;
    };
    const Row rows[] = {
        { 1, 96, 15 }, { 600, 96, 9000 }, { 1, 120, 12 }, { 7, 144, 70 }, { -8, 96, -120 },
        { 0, 96, 0 }, { 1, 0, 15 }, // a screen that reports no DPI counts as 96
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pixels);
        EXPECT_EQ(gui::pixelsToTwips(row.pixels, row.dpi), row.twips);
        EXPECT_EQ(gui::twipsToPixels(row.twips, row.dpi), row.pixels);
    }
    // Stored twips between two pixels round to the nearer one.
    EXPECT_EQ(gui::twipsToPixels(7000, 96), 467);
    EXPECT_EQ(gui::twipsToPixels(7, 96), 0);
    EXPECT_EQ(gui::twipsToPixels(8, 96), 1);
}

TEST_F(PositionTest, RestoresStoredPositionsInTwips)
{
    struct Row {
        const char* stored;
        double dpi;
        QRect expected; // pixels
    };
    const Row rows[] = {
        { "L=120;T=300;W=9000;H=7000;S=0;", 96, QRect(8, 20, 600, 467) },
        { "L=120;T=300;W=9000;H=7000;S=0;", 120, QRect(10, 25, 750, 583) },
        // Only a left edge: top 0, the designed size stays.
        { "L=1500;", 96, QRect(100, 0, 320, 240) },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored);
        window.setGeometry(0, 0, 320, 240);
        gui::QtPositionedWindow adapter(window, { row.dpi, row.dpi });
        bind(adapter);
        storeText(row.stored);
        EXPECT_TRUE(pos.RestoreForm(false));
        EXPECT_EQ(window.geometry(), row.expected);
        EXPECT_EQ(window.windowState(), Qt::WindowNoState);
    }
}

TEST_F(PositionTest, AMaximisedWindowReopensMaximised)
{
    gui::QtPositionedWindow adapter(window, { 96, 96 });
    bind(adapter);
    storeText("L=120;T=300;W=9000;H=7000;S=2;");
    EXPECT_TRUE(pos.RestoreForm(false));
    EXPECT_TRUE(window.windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(adapter.state(), engine::PositionedWindow::kMaximized);
    adapter.setState(engine::PositionedWindow::kNormal);
    EXPECT_EQ(window.windowState(), Qt::WindowNoState);
}

TEST_F(PositionTest, NothingStoredCentres)
{
    window.resize(300, 200);
    gui::QtPositionedWindow adapter(window);
    bind(adapter);
    EXPECT_FALSE(engine::restoreOrCenter(pos));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NEAR(window.frameGeometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(window.frameGeometry().center().y(), screen.center().y(), 1);
}

TEST_F(PositionTest, AStoredPlaceGivesBackTheWindowTheUserLeft)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Row {
        const char* stored;
        bool shownFirst; // restored once the frame is known, else before the first show
        QRect frame; // pixels; empty: the stored text comes back as it was
    };
    const Row rows[] = {
        { "L=450;T=675;W=4500;H=3000;S=0;", false, {} },
        { "L=450;T=675;W=4500;H=3000;S=0;", true, {} },
        // Off every screen: back in the screen's corner, at the stored size.
        { "L=-90000;T=-90000;W=4500;H=3000;S=0;", false, QRect(screen.topLeft(), QSize(300, 200)) },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored);
        storeText(row.stored);
        QWidget shown; // a new window each time: it is shown once
        shown.setObjectName("frmTIFFOptions");
        shown.resize(100, 80);
        gui::QtPositionedWindow adapter(shown, { 96, 96 });
        engine::bindToProgramKey(pos, adapter, engine::kProgramKey);
        if (row.shownFirst)
            shown.show();
        EXPECT_TRUE(pos.RestoreForm(false));
        shown.show();
        QCoreApplication::processEvents();
        ASSERT_NE(shown.frameGeometry(), shown.geometry()) << "the window has a frame";
        if (!row.frame.isEmpty()) {
            EXPECT_EQ(shown.frameGeometry(), row.frame);
            continue;
        }
        EXPECT_TRUE(pos.SaveForm());
        const auto saved = store.read(StoreRoot::CurrentUser, kPositions, "frmTIFFOptions");
        EXPECT_EQ(saved->asText(), row.stored);
    }
}

TEST(ZOrderTest, AlwaysOnTopKeepsTheWindowShownWhereItWas)
{
    QWidget window;
    window.setGeometry(40, 50, 200, 100);
    window.show();
    gui::QtZOrderedWindow adapter(window);

    engine::SetAlwaysOnTop(adapter, true);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), QRect(40, 50, 200, 100));
    EXPECT_FALSE(window.testAttribute(Qt::WA_ShowWithoutActivating));

    engine::SetAlwaysOnTop(adapter, false);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), QRect(40, 50, 200, 100));

    // A hidden window stays hidden.
    window.hide();
    engine::SetAlwaysOnTop(adapter, true);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window.isVisible());
}
