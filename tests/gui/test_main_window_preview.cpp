#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>

#include "gui/frm_main_list_view.h"
#include "gui/frm_preview_bitmap.h"
#include "gui/main_window_preview.h"
#include "session_fixture.h"

using namespace quorrix;

namespace {

const std::string kPositions = std::string(engine::kProgramKey) + "\\Form Positions";
constexpr const char* kDrawing
    = "[Document]\n[Sheet.1]\nName=A4\nWidth=0.21\nHeight=0.297\nView.1=mode=3\n";

// The program's main window with its preview option, started over the stand-in.
struct MainWindowPreviewTest : ::testing::Test, test::SessionFixture {
    QAction* entry() { return SessionFixture::entry("mnuShowPreview"); }
    QAction* key() { return window().toolbarButton("PreviewBitmap"); }
    gui::frmPreviewBitmap& view() { return *session->preview()->previewWindow(); }
    QString title() { return view().windowTitle(); }

    void clickToolbarKey()
    {
        auto* toolbar = window().control<QToolBar>("tbarMenu");
        qobject_cast<QToolButton*>(toolbar->widgetForAction(key()))->click();
    }

    void clickRow(const char* list, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        auto* view = window().control<gui::RowListView>(list);
        QWidget* viewport = view->viewport();
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        for (const QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
            QMouseEvent event(type, QPointF(at), QPointF(viewport->mapToGlobal(at)), button,
                type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &event);
        }
    }

    void expectOn(bool on)
    {
        EXPECT_EQ(program().settings.PreviewBitmap, on ? 1 : 0);
        EXPECT_EQ(entry()->isChecked(), on);
        EXPECT_EQ(key()->isChecked(), on);
        EXPECT_EQ(view().isLoaded(), on);
        EXPECT_EQ(view().isVisible(), on);
    }
};

} // namespace

TEST_F(MainWindowPreviewTest, MenuEntryAndToolbarKeyToggleTheOptionInStep)
{
    start();
    expectOn(false);

    const struct {
        bool byToolbar;
        bool on;
    } steps[] = { { false, true }, { false, false }, { true, true }, { true, false },
        { false, true }, { true, false }, { true, true }, { false, false } };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "toolbar " << step.byToolbar << " on " << step.on);
        if (step.byToolbar)
            clickToolbarKey();
        else
            entry()->trigger();
        expectOn(step.on);
    }
}

TEST_F(MainWindowPreviewTest, CloseBoxSwitchesTheOptionOff)
{
    start();
    entry()->trigger();
    EXPECT_TRUE(view().close());
    expectOn(false);
    EXPECT_TRUE(store.read(engine::StoreRoot::CurrentUser, kPositions, "frmPreviewBitmap"));

    // The next toggle switches it on again, not off.
    clickToolbarKey();
    expectOn(true);
}

TEST_F(MainWindowPreviewTest, ClickedRowsShowTheirPreviewWhileTheOptionIsOn)
{
    const std::string a = document("a.SLDDRW", kDrawing);
    const std::string b = document("b.SLDDRW", kDrawing);
    start();
    window().printList().insertPaths({ b });
    window().showPrintList();
    ASSERT_EQ(window().fileList().count(), 2);

    clickRow("lstAuswahl", 0);
    clickRow("lstPrintliste", 0);
    EXPECT_TRUE(documentManager.calls().empty());

    entry()->trigger();
    clickRow("lstAuswahl", 0);
    EXPECT_EQ(title(), QString::fromStdString(a));
    EXPECT_FALSE(view().picture().isNull());
    const std::size_t calls = documentManager.calls().size();
    clickRow("lstAuswahl", 1, Qt::MiddleButton);
    EXPECT_EQ(documentManager.calls().size(), calls);
    EXPECT_EQ(title(), QString::fromStdString(a));
    clickRow("lstPrintliste", 0);
    EXPECT_EQ(title(), QString::fromStdString(b));

    // Closed by its close box, or on in the settings only (a settings file was loaded), the
    // window is not there to show anything.
    const std::size_t shown = documentManager.calls().size();
    view().close();
    program().settings.PreviewBitmap = 1;
    clickRow("lstAuswahl", 1);
    clickRow("lstPrintliste", 0);
    EXPECT_EQ(documentManager.calls().size(), shown);
    EXPECT_FALSE(view().isVisible());
    EXPECT_TRUE(messages().shown().empty());
}

TEST_F(MainWindowPreviewTest, QuitUnloadsThePreviewAndSavesItsPosition)
{
    start();
    entry()->trigger();
    view().move(30, 40);
    QApplication::processEvents();
    window().menuEntry("mnuQuit")->trigger();
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(view().isLoaded());
    EXPECT_FALSE(view().isVisible());
    EXPECT_TRUE(store.read(engine::StoreRoot::CurrentUser, kPositions, "frmPreviewBitmap"));
    // Leaving the program is no change of the option.
    EXPECT_EQ(program().settings.PreviewBitmap, 1);
}

TEST_F(MainWindowPreviewTest, StoredOptionOpensThePreviewAtStart)
{
    storeSettings([](engine::Settings& stored) { stored.PreviewBitmap = 1; });
    start();
    expectOn(true);
}
