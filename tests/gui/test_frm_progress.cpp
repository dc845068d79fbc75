#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <functional>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "gui/eliding_label.h"
#include "gui/frm_open_directory.h"
#include "gui/frm_preview_bitmap.h"
#include "gui/frm_progress.h"
#include "gui/qt_positioned_window.h"
#include "gui/run_view_relay.h"
#include "swsim/sim_document_manager.h"
#include "window_fixture.h"

using namespace quorrix;
using engine::RunBar;
using engine::RunLabel;
using engine::StoredValue;
using engine::StoreRoot;
using gui::frmProgress;

namespace {

struct ProgressTest : ::testing::Test, test::WindowFixture {
    engine::CancelFlag cancel { 0 };
    frmProgress view { cancel, language, store, messages };
    template <typename Widget> Widget* child(const char* name)
    {
        auto* widget = view.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QColor sheetBackground()
    {
        QLabel* sheet = child<QLabel>("lblSheet");
        return sheet->palette().color(sheet->backgroundRole());
    }
};

} // namespace

TEST_F(ProgressTest, LoadsWhenTheRunFirstTouchesItAndUnloadsAtTheEnd)
{
    useLanguageFile("[Info]\r\nText.3=QRX Test Progress\r\n"
                    "[frmProgress]\r\ncmdCancel.Caption=Stop\r\ncmdCancel.ToolTipText=Stops\r\n"
                    "lblSheet.Caption=design sheet\r\n");
    EXPECT_FALSE(view.isLoaded());
    EXPECT_EQ(view.windowTitle(), "QRX Progress");
    EXPECT_EQ(child<QPushButton>("cmdCancel")->text(), "Abbruch");

    // The run sets its texts before it shows the window; loading must not overwrite them.
    view.setLabel(RunLabel::Progress, "Plot: 3 documents");
    EXPECT_TRUE(view.isLoaded());
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.windowTitle(), "QRX Test Progress");
    EXPECT_EQ(child<QPushButton>("cmdCancel")->text(), "Stop");
    EXPECT_EQ(child<QPushButton>("cmdCancel")->toolTip(), "Stops");
    EXPECT_EQ(child<QLabel>("lblSheet")->text(), "design sheet");
    EXPECT_EQ(child<QLabel>("lblProgress")->text(), "Plot: 3 documents");

    view.setLabel(RunLabel::List, "Document 1 / 3 \r\n/data/a<1>.SLDDRW");
    EXPECT_EQ(view.label(RunLabel::List), "Document 1 / 3 \r\n/data/a<1>.SLDDRW");
    EXPECT_EQ(child<QLabel>("lblQRXList")->text(), "Document 1 / 3 \n/data/a<1>.SLDDRW");
    EXPECT_EQ(view.label(RunLabel::Sheet), "design sheet");

    view.show();
    EXPECT_TRUE(view.isVisible());
    EXPECT_FALSE(view.close()); // only Cancel ends a run
    view.repaint();
    view.unload();
    EXPECT_FALSE(view.isVisible());
    EXPECT_FALSE(view.isLoaded());
    const auto saved = storedPlace("frmProgress");
    ASSERT_TRUE(saved && saved->isText());
    EXPECT_EQ(saved->asText().rfind("L=", 0), 0u);

    // The next run starts from the design state again.
    view.setBarValue(RunBar::Sheet, 0);
    EXPECT_EQ(view.label(RunLabel::Progress), "");
    EXPECT_EQ(view.label(RunLabel::List), "");
}

// The tool windows open where they were left; the preview's height follows its width.
TEST_F(ProgressTest, ToolWindowsOpenAtTheirStoredPlace)
{
    swsim::SimDocumentManager documents { *ports.files, std::string("key") };
    gui::frmPreviewBitmap preview { documents, "key", store, messages };
    gui::frmOpenDirectory folders { language, store };
    const gui::ScreenDpi dpi = gui::primaryScreenDpi();
    const std::tuple<QWidget*, std::function<void()>, double> rows[] = {
        { &view, [this] { view.setLabel(RunLabel::Progress, "x"); }, 200 },
        { &folders, [&folders] { folders.show(); }, 200 },
        { &preview, [&preview] { preview.show(); }, 500 / 1.43 + gui::twipsToPixels(350, dpi.y) }
    };
    for (const auto& [window, open, height] : rows) {
        SCOPED_TRACE(window->objectName().toStdString());
        store.write(StoreRoot::CurrentUser, test::kPositions, window->objectName().toStdString(),
            StoredValue::text("L=" + std::to_string(gui::pixelsToTwips(30, dpi.x))
                + ";T=" + std::to_string(gui::pixelsToTwips(40, dpi.y))
                + ";W=" + std::to_string(gui::pixelsToTwips(500, dpi.x))
                + ";H=" + std::to_string(gui::pixelsToTwips(200, dpi.y)) + ";S=0;"));
        open();
        QApplication::processEvents();
        EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(30, 40));
        EXPECT_EQ(window->frameGeometry().width(), 500);
        EXPECT_NEAR(window->frameGeometry().height(), height, 1.0);
    }
    view.unload();
    preview.unload();
    folders.reject();
}

TEST_F(ProgressTest, BarsMapTheirFloatRangeOntoSteps)
{
    struct Row {
        float minimum;
        float maximum;
        float value;
        int shown;
    };
    const Row rows[] = { { 0, 4, 1, 2500 }, { 0, 4, 0, 0 }, { 0, 3, 3, 10000 }, { 1, 3, 2, 5000 },
        { 0, 6, 1, 1667 }, { 0, 0, 0, 0 }, // an empty range shows nothing done
        { 0, 2, -1, 0 }, { 0, 2, 5, 10000 }, { 5, 1, 3, 0 } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shown);
        for (RunBar bar : { RunBar::List, RunBar::Sheet }) {
            view.setBarRange(bar, row.minimum, row.maximum);
            view.setBarValue(bar, row.value);
        }
        EXPECT_EQ(child<QProgressBar>("prgrQRXList")->value(), row.shown);
        EXPECT_EQ(child<QProgressBar>("prgrSheet")->value(), row.shown);
    }
    // Shrinking the range below the value keeps the bar within it.
    view.setBarRange(RunBar::Sheet, 0, 10);
    view.setBarValue(RunBar::Sheet, 8);
    view.setBarRange(RunBar::Sheet, 0, 4);
    EXPECT_EQ(child<QProgressBar>("prgrSheet")->value(), frmProgress::kBarSteps);
}

TEST_F(ProgressTest, FilteredSheetLabelTurnsRedAndBack)
{
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(sheetBackground(), face);
    view.setSheetLabelHighlighted(true);
    EXPECT_TRUE(view.isSheetLabelHighlighted());
    EXPECT_EQ(sheetBackground(), QColor(Qt::red));
    EXPECT_TRUE(child<QLabel>("lblSheet")->autoFillBackground());
    view.setSheetLabelHighlighted(false);
    EXPECT_EQ(sheetBackground(), face);
}

TEST_F(ProgressTest, CancelClickArrivesWhileTheRunLetsEventsThrough)
{
    view.show();
    QPushButton* cancelButton = child<QPushButton>("cmdCancel");
    QMetaObject::invokeMethod(cancelButton, "click", Qt::QueuedConnection);
    view.repaint();
    EXPECT_EQ(cancel, 0); // repainting handles no input
    view.processEvents();
    EXPECT_EQ(cancel, -1);
    // A second click leaves the flag set; only the run clears it.
    cancelButton->click();
    EXPECT_EQ(cancel, -1);
    view.unload();
}

TEST_F(ProgressTest, ARunOnItsOwnThreadReachesTheWindowInItsOrder)
{
    gui::RunViewRelay relay(view, nullptr);
    messages.queueAnswer(engine::MessageAnswer::Retry);
    std::string listLabel;
    engine::MessageAnswer answer {};
    QEventLoop loop;
    std::thread run([&] {
        relay.setBarRange(RunBar::List, 0, 4);
        relay.setLabel(RunLabel::List, "1 / 4");
        relay.setLabel(RunLabel::List, "2 / 4");
        relay.setBarValue(RunBar::List, 2);
        relay.show();
        listLabel = relay.label(RunLabel::List);
        answer = relay.show(
            "text", "title", engine::MessageIcon::Question, engine::MessageButtons::RetryCancel);
        relay.setLabel(RunLabel::Sheet, "last");
        relay.unload();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    run.join();
    EXPECT_EQ(listLabel, "2 / 4");
    EXPECT_EQ(answer, engine::MessageAnswer::Retry);
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(child<QProgressBar>("prgrQRXList")->value(), frmProgress::kBarSteps / 2);
    // What the run set before the window unloaded was shown before, not after.
    EXPECT_EQ(child<QLabel>("lblSheet")->text(), "last");
    EXPECT_FALSE(view.isLoaded());
    EXPECT_FALSE(view.isVisible());
}

TEST_F(ProgressTest, MessageBoxesGoThroughTheWrapper)
{
    messages.queueAnswer(engine::MessageAnswer::Cancel);
    EXPECT_EQ(view.show("text", "title", engine::MessageIcon::Exclamation,
                  engine::MessageButtons::OkCancel),
        engine::MessageAnswer::Cancel);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].request.text, "text");
    EXPECT_EQ(messages.shown()[0].request.icon, engine::MessageIcon::Exclamation);
}

// The tool windows take their texts from the language file; without one the design texts
// stay, and only the file gives the Cancel button its tooltip.
TEST_F(ProgressTest, ToolWindowsTakeTheirTextsFromTheLanguageFile)
{
    struct Row {
        const char* file; // in the language folder; empty: no language file
        const char* title;
        std::vector<std::pair<const char*, const char*>> buttons;
    };
    const char* const none = "INI file doesn't exists ";
    const Row rows[]
        = { { "QUORRIX-lng_de.ini", "QUORRIX - Fortschritt", { { "cmdCancel", "Abbruch" } } },
              { "QUORRIX-lng_us.ini", "QUORRIX - Progress", { { "cmdCancel", "Cancel" } } },
              { "", none, { { "cmdCancel", "Abbruch" } } },
              { "QUORRIX-lng_us.ini", "QUORRIX - Choose target folder",
                  { { "cmdOkay", "&Accept" }, { "cmdAbbruch", "&Cancel" } } },
              { "QUORRIX-lng_de.ini", "QUORRIX - Zielordner wählen",
                  { { "cmdOkay", "&Übernehmen" }, { "cmdAbbruch", "&Abbruch" } } },
              { "", none, { { "cmdOkay", "&Übernehmen" }, { "cmdAbbruch", "&Abbruch" } } } };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.buttons[0].first) + " " + row.file);
        language.IniFile(*row.file ? std::string(QUORRIX_LANG_DIR) + "/" + row.file : "");
        gui::frmOpenDirectory folders(language, store);
        const bool progress = row.buttons.size() == 1;
        if (progress)
            view.show();
        QWidget* window = progress ? static_cast<QWidget*>(&view) : &folders;
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(row.title));
        for (const auto& [button, caption] : row.buttons)
            EXPECT_EQ(window->findChild<QPushButton*>(button)->text(), QString::fromUtf8(caption));
        if (progress) {
            EXPECT_EQ(child<QPushButton>("cmdCancel")->toolTip().isEmpty(), !*row.file);
        }
        view.unload();
    }
}

TEST_F(ProgressTest, ALongPathIsShortenedInTheMiddleAndKeptWhole)
{
    const std::string path
        = "C:\\Projects\\" + std::string(300, 'x') + "\\GP25-002 Front cover.SLDDRW";
    view.setLabel(RunLabel::List, "Document 5 / 20\n" + path);
    view.show();
    view.resize(300, view.height());
    auto* label = view.findChild<gui::ElidingLabel*>("lblQRXList");
    ASSERT_NE(label, nullptr);
    const QStringList lines = label->shownLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "Document 5 / 20");
    EXPECT_TRUE(lines[1].startsWith("C:\\Proj")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith("cover.SLDDRW")) << lines[1].toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(lines[1]), label->contentsRect().width());
    EXPECT_EQ(view.label(RunLabel::List), "Document 5 / 20\n" + path);
}
